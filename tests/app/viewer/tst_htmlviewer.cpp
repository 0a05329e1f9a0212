// The viewer widget as a user meets it: loading, drawing, links, history, selection, menus,
// and the help window.
#include "viewer/helpwindow.h"
#include "viewer/htmlviewer.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString DataDir = QStringLiteral(MARLO_TEST_DATA "/viewer");

void writeFile(const QString &path, const QString &text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

// A viewer with fonts that exist on every build machine, so drawing is the same everywhere.
std::unique_ptr<HtmlViewer> makeViewer(QSize size = QSize(800, 600)) {
    auto v = std::make_unique<HtmlViewer>();
    v->setDefFontName("Liberation Serif");
    v->setDefPreFontName("Liberation Mono");
    v->setDefBackground(Qt::white);
    v->setDefFontColor(Qt::black);
    v->resize(size);
    v->show();
    return v;
}

// The first point of the viewport over a link to `target`.
QPoint findLink(const HtmlViewer &v, const QString &target) {
    const QSize area = v.viewport()->size();
    for (int y = 0; y < area.height(); y += 3)
        for (int x = 0; x < area.width(); x += 3)
            if (v.linkAt(QPoint(x, y)) == target)
                return QPoint(x, y);
    return QPoint(-1, -1);
}

// Counts pixels whose colour differs by more than a small amount.
int differingPixels(const QImage &a, const QImage &b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 24 || qAbs(qGreen(p) - qGreen(q)) > 24 ||
                qAbs(qBlue(p) - qBlue(q)) > 24)
                ++count;
        }
    return count;
}

} // namespace

class TestHtmlViewer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setStyle("Fusion"); }

    void rendersTheFixtureLikeTheReference() {
        auto v = makeViewer();
        QVERIFY(v->loadFromFile(DataDir + "/fixture.htm"));
        QCOMPARE(v->documentTitle(), QString("Viewer fixture"));
        const QImage actual = v->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString reference = DataDir + "/fixture.png";
        const QString written =
            QCoreApplication::applicationDirPath() + "/viewer_fixture_actual.png";
        if (qEnvironmentVariableIsSet("MARLO_UPDATE_REFERENCE"))
            actual.save(reference);
        const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
        const int differing = differingPixels(actual, expected);
        // Anti-aliasing may differ slightly between font library versions.
        if (differing > actual.width() * actual.height() / 200) {
            actual.save(written);
            QFAIL(qPrintable(QString("%1 pixels differ from %2; the drawing is in %3")
                                 .arg(differing)
                                 .arg(reference, written)));
        }
    }

    void missingFileIsReported() {
        auto v = makeViewer();
        QSignalSpy errors(v.get(), &HtmlViewer::errorReported);
        QVERIFY(!v->loadFromFile("/nonexistent/page.htm#x"));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(),
                 QString("Can't locate file: /nonexistent/page.htm#x"));
        QCOMPARE(v->lastError(), errors.first().first().toString());
    }

    void filesAreDecodedLikeTheEditorDoes() {
        QTemporaryDir dir;
        const QString legacy = dir.filePath("legacy.htm"), binary = dir.filePath("binary.htm");
        QFile f(legacy);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<TITLE>caf\xe9 \x80</TITLE>x");
        f.close();
        QFile b(binary);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(QByteArray("<P>a\0b", 7));
        b.close();
        auto v = makeViewer();
        QVERIFY(v->loadFromFile(legacy));
        QCOMPARE(v->documentTitle(), QString::fromUtf8("café €"));
        QSignalSpy errors(v.get(), &HtmlViewer::errorReported);
        QVERIFY(!v->loadFromFile(binary));
        QCOMPARE(errors.count(), 1);
        QVERIFY(!v->lastError().isEmpty());
    }

    void parseErrorIsReportedAndThePageShown() {
        auto v = makeViewer();
        QSignalSpy errors(v.get(), &HtmlViewer::errorReported);
        v->loadFromString("<H1>Shown</H1><!-- open");
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), QString("Open Comment at End of HTML File"));
        QVERIFY(v->documentHeight() > 0);
    }

    void loadingTextAgainShowsTheTop() {
        auto v = makeViewer(QSize(400, 300));
        const QString page = QString("line<BR>").repeated(500);
        v->loadFromString(page);
        v->verticalScrollBar()->setValue(1000);
        QCOMPARE(v->verticalScrollBar()->value(), 1000);
        v->loadFromString(page);
        QCOMPARE(v->verticalScrollBar()->value(), 0);
        QVERIFY(v->currentFile().isEmpty());
    }

    void tallPagesScrollToTheirEnd() {
        auto v = makeViewer(QSize(400, 300));
        v->loadFromString(QString("line<P>").repeated(3000));
        QVERIFY(v->documentHeight() > 32500 * 2);
        QVERIFY(v->verticalScrollBar()->maximum() >= v->documentHeight() - 300);
        QCOMPARE(v->verticalScrollBar()->singleStep(), HtmlViewer::ScrollStep);
        v->setFocus();
        QTest::keyClick(v.get(), Qt::Key_Down);
        QCOMPARE(v->verticalScrollBar()->value(), 18);
        QTest::keyClick(v.get(), Qt::Key_End);
        QCOMPARE(v->verticalScrollBar()->value(), v->verticalScrollBar()->maximum());
    }

    void imageCacheCountIsBounded() {
        HtmlViewer v;
        v.setImageCacheCount(50);
        QCOMPARE(v.imageCacheCount(), 20);
        v.setImageCacheCount(-3);
        QCOMPARE(v.imageCacheCount(), 0);
    }

    void anchors_data() {
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<bool>("found");
        QTest::newRow("exact") << "target" << true;
        QTest::newRow("other case") << "#TARGET" << true;
        QTest::newRow("missing") << "nowhere" << false;
    }
    void anchors() {
        QFETCH(QString, anchor);
        QFETCH(bool, found);
        auto v = makeViewer(QSize(400, 300));
        v->loadFromString(QString("x<P>").repeated(100) + "<A NAME=target>here</A>" +
                          QString("x<P>").repeated(100));
        v->verticalScrollBar()->setValue(50);
        QCOMPARE(v->positionTo(anchor), found);
        if (found)
            QVERIFY(v->verticalScrollBar()->value() > 1000);
        else
            QCOMPARE(v->verticalScrollBar()->value(), 50);
    }

    void followsLinksAndKeepsHistory() {
        QTemporaryDir dir;
        writeFile(dir.filePath("index.htm"),
                  "<TITLE>Index</TITLE><A HREF=\"sub/page.htm\">to page</A> "
                  "<A HREF=\"#nowhere\">nowhere</A> <A HREF=\"mailto:a@b.c\">mail</A>");
        writeFile(dir.filePath("sub/page.htm"),
                  "<TITLE>Page</TITLE><A HREF=\"../index.htm\">home</A> <A HREF=\"file://" +
                      dir.filePath("index.htm") + "\">home by url</A>");
        auto v = makeViewer();
        v->setHistoryMaxCount(10);
        QSignalSpy covered(v.get(), &HtmlViewer::hotSpotCovered);
        QSignalSpy clicked(v.get(), &HtmlViewer::hotSpotClicked);
        QVERIFY(v->loadFromFile(dir.filePath("index.htm")));

        const QPoint link = findLink(*v, "sub/page.htm");
        QVERIFY(link.x() >= 0);
        QTest::mouseMove(v->viewport(), link);
        QCOMPARE(covered.count(), 1);
        QCOMPARE(covered.last().first().toString(), QString("sub/page.htm"));
        QCOMPARE(v->viewport()->cursor().shape(), Qt::PointingHandCursor);

        // Neither an unknown anchor nor a mail link leaves the page.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, findLink(*v, "#nowhere"));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, findLink(*v, "mailto:a@b.c"));
        QCOMPARE(v->currentFile(), QFileInfo(dir.filePath("index.htm")).absoluteFilePath());
        QCOMPARE(clicked.count(), 2);

        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, link);
        QCOMPARE(v->currentFile(), QFileInfo(dir.filePath("sub/page.htm")).absoluteFilePath());
        QCOMPARE(v->documentTitle(), QString("Page"));
        QVERIFY(v->canGoBack());
        QVERIFY(!v->canGoForward());

        QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                          findLink(*v, "file://" + dir.filePath("index.htm")));
        QCOMPARE(v->documentTitle(), QString("Index"));
        QCOMPARE(v->historyFiles().size(), 3);

        v->goBack();
        QCOMPARE(v->documentTitle(), QString("Page"));
        QVERIFY(v->canGoForward());
        v->goBack();
        QCOMPARE(v->documentTitle(), QString("Index"));
        QVERIFY(!v->canGoBack());
        v->goForward();
        QCOMPARE(v->documentTitle(), QString("Page"));
    }

    // A page or picture that is a named pipe or a folder is refused at once: the page with the
    // picture shows, and a link to such a page says why it is not followed.
    void pipesAndFoldersAreRefused_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("named pipe") << "pipe.htm";
        QTest::newRow("folder") << "folder.htm";
    }
    void pipesAndFoldersAreRefused() {
        QFETCH(QString, target);
        QTemporaryDir dir;
        writeFile(dir.filePath("index.htm"),
                  "<IMG SRC=\"pic.png\" ALIGN=LEFT><A HREF=\"" + target + "\">go</A>");
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.htm")).constData(), 0600), 0);
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pic.png")).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.htm"));
        const QString index = QFileInfo(dir.filePath("index.htm")).absoluteFilePath();
        const QString expected = "\"" + QFileInfo(dir.filePath(target)).absoluteFilePath() +
                                 "\" is not a regular file.";
        auto v = makeViewer();
        QSignalSpy errors(v.get(), &HtmlViewer::errorReported);
        QVERIFY(v->loadFromFile(index));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, findLink(*v, target));
        QCOMPARE(v->currentFile(), index);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), expected);
        QVERIFY(!v->loadFromFile(dir.filePath(target)));
        QCOMPARE(v->lastError(), "\"" + dir.filePath(target) + "\" is not a regular file.");
    }

    void handledClicksAreLeftToTheOwner() {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.htm"), "<A HREF=\"b.htm\">b</A>");
        writeFile(dir.filePath("b.htm"), "b");
        auto v = makeViewer();
        connect(v.get(), &HtmlViewer::hotSpotClicked,
                [](const QString &, bool *handled) { *handled = true; });
        QVERIFY(v->loadFromFile(dir.filePath("a.htm")));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, findLink(*v, "b.htm"));
        QVERIFY(v->currentFile().endsWith("a.htm"));
    }

    void historyIsLimited() {
        QTemporaryDir dir;
        for (int i = 0; i < 5; ++i)
            writeFile(dir.filePath(QString("p%1.htm").arg(i)), QString("page %1").arg(i));
        auto v = makeViewer();
        v->setHistoryMaxCount(2);
        for (int i = 0; i < 5; ++i)
            QVERIFY(v->loadFromFile(dir.filePath(QString("p%1.htm").arg(i))));
        QCOMPARE(v->historyFiles().size(), 3);
        QVERIFY(v->historyFiles().last().endsWith("p4.htm"));
        v->setHistoryMaxCount(0);
        QVERIFY(!v->canGoBack());
    }

    void selectsAndCopiesWithTheMouse() {
        auto v = makeViewer(QSize(600, 300));
        v->loadFromString("<P>First words here.<P>Second line of text.");
        // From the far left of the first line to the far right of the second.
        const QPoint from(2, HtmlViewer::MarginTop + 16);
        const QPoint to(590, HtmlViewer::MarginTop + 50);
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(v->viewport(), to);
        QMouseEvent move(QEvent::MouseMove, to, v->viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(v->viewport(), &move);
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(v->selectedText(), QString("First words here.\n\nSecond line of text."));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(v.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), v->selectedText());

        v->setNoSelect(true);
        QVERIFY(v->selectedText().isEmpty());
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
        QApplication::sendEvent(v->viewport(), &move);
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
        QVERIFY(v->selectedText().isEmpty());
    }

    void background_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QColor>("first");
        QTest::addColumn<QColor>("second");
        QTest::newRow("default") << "<BODY>" << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("colour") << "<BODY BGCOLOR=teal>" << QColor(0, 128, 128)
                                << QColor(0, 128, 128);
        // tile.png: 4-pixel squares of two colours.
        QTest::newRow("tiled picture")
            << "<BODY BACKGROUND=\"tile.png\">" << QColor(235, 235, 250) << QColor(250, 250, 235);
    }
    void background() {
        QFETCH(QString, body);
        QFETCH(QColor, first);
        QFETCH(QColor, second);
        auto v = makeViewer(QSize(300, 200));
        v->setTextDirectory(DataDir);
        v->loadFromString(body + "x");
        const QImage shot = v->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(201, 101), first);
        QCOMPARE(shot.pixelColor(205, 101), second);
    }

    void selectionScrollsAlongBelowTheView() {
        auto v = makeViewer(QSize(400, 200));
        v->loadFromString(QString("line of text<BR>").repeated(200));
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, QPoint(5, 20));
        const QPoint below(100, v->viewport()->height() + 40);
        QMouseEvent move(QEvent::MouseMove, below, v->viewport()->mapToGlobal(below), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(v->viewport(), &move);
        // Four steps at once when the mouse is far below, then more every 100 ms.
        QVERIFY(v->verticalScrollBar()->value() >= 4 * HtmlViewer::ScrollStep);
        QTRY_VERIFY(v->verticalScrollBar()->value() >= 12 * HtmlViewer::ScrollStep);
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, below);
        const int stopped = v->verticalScrollBar()->value();
        QTest::qWait(250);
        QCOMPARE(v->verticalScrollBar()->value(), stopped);
        QVERIFY(v->selectedText().count('\n') >= 10);
    }

    void contextMenuGainsBackAndForward_data() {
        QTest::addColumn<int>("history");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("no history") << 0 << QStringList({"Reload"});
        QTest::newRow("history") << 5 << QStringList({"Reload", "", "Back", "Forward"});
    }
    void contextMenuGainsBackAndForward() {
        QFETCH(int, history);
        QFETCH(QStringList, items);
        auto v = makeViewer();
        QMenu menu;
        menu.addAction("Reload");
        v->setContextMenu(&menu);
        v->setHistoryMaxCount(history);
        v->loadFromString("text");
        QStringList seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *shown = qobject_cast<QMenu *>(w); shown && shown->isVisible()) {
                    for (QAction *a : shown->actions())
                        seen << a->text();
                    shown->close();
                    poll.stop();
                }
        });
        poll.start(10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                v->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(v->viewport(), &event);
        QCOMPARE(seen, items);
        // The owner's menu is left as it was.
        QCOMPARE(menu.actions().size(), 1);
    }

    void helpWindowShowsTopics() {
        QTemporaryDir dir;
        writeFile(dir.filePath("help.htm"),
                  "<TITLE>Marlo help</TITLE>" + QString("x<P>").repeated(200) +
                      "<A NAME=spell>Spelling</A> <A HREF=\"#sr\">to sr</A>" +
                      QString("x<P>").repeated(200) + "<A NAME=sr>Search</A>" +
                      QString("x<P>").repeated(50));
        HelpWindow::showTopic(dir.filePath("help.htm"), "spell", nullptr);
        HelpWindow *window = HelpWindow::openWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Marlo help"));
        QCOMPARE(window->viewer()->historyMaxCount(), 20);
        const int spellAt = window->viewer()->verticalScrollBar()->value();
        QVERIFY(spellAt > 0);
        QVERIFY(!window->backAction()->isEnabled());

        HelpWindow::showTopic(dir.filePath("help.htm"), "sr", nullptr);
        QCOMPARE(HelpWindow::openWindow(), window);
        QVERIFY(window->viewer()->verticalScrollBar()->value() > spellAt);

        HelpWindow::showTopic(dir.filePath("missing.htm"), "", nullptr);
        QCOMPARE(HelpWindow::openWindow(), window);
        window->close();
        QTRY_VERIFY(!HelpWindow::openWindow());
    }
};

QTEST_MAIN(TestHtmlViewer)
#include "tst_htmlviewer.moc"
