// The live preview beside the editor: it follows typing without holding it up, keeps its place,
// follows the caret, leads a click back to the source, and is remembered in the settings.
#include "common/windowharness.h"
#include "preview/livepreviewcontroller.h"
#include "viewer/htmlviewer.h"

#include <QImage>
#include <QScrollBar>
#include <QSplitter>

namespace {

LivePreviewController &live(WindowHarness &h) {
    return *h.window().livePreview();
}

// The preview shows what the editor holds.
void waitForPreview(WindowHarness &h, int timeoutMs = 20000) {
    QTRY_VERIFY_WITH_TIMEOUT(!live(h).isRefreshing(), timeoutMs);
    QCOMPARE(live(h).shownText(), h.docs().current().text());
}

void showInPreview(WindowHarness &h, const QString &html) {
    h.docs().current().setText(html, true);
    live(h).setOn(true);
    waitForPreview(h);
}

// Where the shown text `text` begins, in the preview's viewport (the middle of its first
// character's left half); (-1, -1) when it is not shown.
QPoint pointOfText(HtmlViewer &viewer, const QString &text) {
    const SectionList &doc = viewer.document();
    const int position = doc.findText(text.toLower(), 0);
    QPoint p;
    int lineHeight = 0;
    if (position < 0 || !doc.cursorToPoint(position, p, lineHeight))
        return QPoint(-1, -1);
    return viewer.toViewport(p) + QPoint(1, lineHeight / 2);
}

// A generated page: `count` paragraphs "Paragraph <n> ...".
QString paragraphs(int count) {
    QString html = QStringLiteral("<HTML><BODY>\n");
    for (int i = 0; i < count; ++i)
        html += QStringLiteral("<P>Paragraph %1 with a few words of text in it.\n").arg(i);
    return html + QStringLiteral("</BODY></HTML>\n");
}

} // namespace

class TestLivePreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsWhatIsTyped() {
        WindowHarness h("[Options]\ntotd=0\nautocomplete=0\n");
        h.docs().current().setText(QString(), false);
        QTest::keyClick(&h.window(), Qt::Key_F12);
        QVERIFY(live(h).viewer()->isVisible());
        waitForPreview(h);
        const QImage empty = live(h).viewer()->grab().toImage();
        h.type("<H1>Hello</H1><P>Typed <B>live</B>");
        waitForPreview(h);
        const SectionList &doc = live(h).viewer()->document();
        QVERIFY(doc.findText("hello", 0) >= 0);
        QVERIFY(doc.findText("typed live", 0) >= 0);
        QVERIFY(live(h).viewer()->grab().toImage() != empty);
    }

    // A click on text puts the caret where that text is written; a click on a link at the
    // link's tag, and the preview stays on the page.
    void aClickLeadsToTheSource_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("click");  // shown text clicked on (its first character)
        QTest::addColumn<QString>("source"); // where the caret goes: the start of this text
        QTest::newRow("paragraph after folded white space")
            << "<P>One\n    two   three\n  <B>four</B>" << "three" << "three";
        QTest::newRow("entity") << "<P>caf&eacute;s &amp; bars" << "\u00e9s" << "&eacute;s";
        QTest::newRow("table cell")
            << "<TABLE BORDER=1><TR><TD>alpha<TD>beta\n<TR><TD COLSPAN=2>gamma rays</TABLE>"
            << "rays" << "rays";
        QTest::newRow("text between cells goes before the table")
            << "<TABLE><TR>stray words<TD>cell</TABLE>" << "words" << "words";
        QTest::newRow("nested list")
            << "<UL><LI>first<LI>second<OL><LI>inner item</OL></UL>" << "item" << "item";
        QTest::newRow("definition list") << "<DL><DT>term<DD>its meaning</DL>" << "meaning"
                                         << "meaning";
        QTest::newRow("preformatted spaces")
            << "<PRE>\nline one\n  x   =   42\n</PRE>" << "42" << "42";
        QTest::newRow("frames show their NOFRAMES text")
            << "<FRAMESET COLS=\"50%,50%\"><FRAME SRC=\"a.htm\"><FRAME SRC=\"b.htm\">"
               "<NOFRAMES>Frames are not shown here</NOFRAMES></FRAMESET>"
            << "shown" << "shown";
        QTest::newRow("link") << "<P>Read <A HREF=\"other.htm\">the other page</A> now"
                              << "other" << "<A HREF";
        QTest::newRow("anchor link") << "<P>Go <A NAME=top></A><A HREF=\"#top\">up</A>"
                                     << "up" << "<A HREF";
        QTest::newRow("after a comment") << "<!-- a <B>note</B> -->\n<P>visible text"
                                         << "text" << "text";
    }
    void aClickLeadsToTheSource() {
        QFETCH(QString, html);
        QFETCH(QString, click);
        QFETCH(QString, source);
        WindowHarness h;
        showInPreview(h, html);
        HtmlViewer *viewer = live(h).viewer();
        const QPoint at = pointOfText(*viewer, click);
        QVERIFY2(at.x() >= 0, "the clicked text is shown");
        h.editor().setSelection(0, 0);
        QTest::mouseClick(viewer->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(h.editor().selectionStart(), int(html.indexOf(source)));
        QCOMPARE(h.editor().selectionLength(), 0);
        QCOMPARE(live(h).shownText(), html);
        QCOMPARE(viewer->currentFile(), QString());
    }

    void theScrollPositionSurvivesARefresh() {
        WindowHarness h;
        const QString html = paragraphs(300);
        showInPreview(h, html);
        HtmlViewer *viewer = live(h).viewer();
        // The caret in the middle of the page brings that paragraph into view.
        const int caret = int(html.indexOf("Paragraph 150 with"));
        h.editor().setSelection(caret, 0);
        h.editor().ensureCursorVisible();
        QPoint p;
        QTRY_VERIFY((p = pointOfText(*viewer, "Paragraph 150 with")).y() >= 0 &&
                    p.y() < viewer->viewport()->height());
        // Scrolled by hand with the paragraph still in view; an edit is shown where it is.
        QScrollBar *bar = viewer->verticalScrollBar();
        bar->setValue(bar->value() + viewer->viewport()->height() / 3);
        p = pointOfText(*viewer, "Paragraph 150 with");
        QVERIFY(p.y() >= 0 && p.y() < viewer->viewport()->height());
        const int scrolled = bar->value();
        h.type("new ");
        waitForPreview(h);
        QVERIFY(live(h).viewer()->document().findText("new paragraph 150", 0) >= 0);
        QCOMPARE(bar->value(), scrolled);
    }

    void followsTheCaretAndTheTopLine() {
        WindowHarness h;
        const QString html = paragraphs(400);
        showInPreview(h, html);
        HtmlViewer *viewer = live(h).viewer();
        auto shows = [&](const QString &text) {
            const QPoint p = pointOfText(*viewer, text);
            return p.y() >= 0 && p.y() < viewer->viewport()->height();
        };
        QVERIFY(!shows("Paragraph 390 with"));
        QTest::keyClick(&h.editor(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(shows("Paragraph 399 with"));
        // The caret scrolled out of the editor's view: the editor's top line leads.
        h.editor().setTopLine(200);
        QVERIFY(shows("Paragraph 199 with") || shows("Paragraph 200 with"));
    }

    // While a 10 MB page is read and laid out, the window goes on handling keys: each one
    // typed is in the editor at once, many turns of the event loop pass while the page is in
    // work, and the preview ends up showing the last text.
    void aLargePageNeverHoldsUpTyping() {
        WindowHarness h;
        QString html = QStringLiteral("<HTML><BODY>\n");
        html.reserve(10 * 1024 * 1024 + 4096);
        for (int i = 0; html.size() < 10 * 1024 * 1024; ++i)
            html += QStringLiteral("<P>Line %1 of a large page with <B>bold</B> words in "
                                   "<A HREF=\"x%1.htm\">a link</A> and <TT>code</TT>.\n")
                        .arg(i);
        html += QStringLiteral("</BODY></HTML>");
        h.docs().current().setText(html, false);
        h.docs().current().finishLoading();
        h.editor().setSelection(20, 0);
        live(h).setOn(true);
        QTRY_VERIFY(live(h).isWorking());
        int turnsInWork = 0;
        QString typed;
        while (live(h).isWorking() && turnsInWork < 100000) {
            QTest::keyClicks(&h.editor(), QStringLiteral("k"));
            typed += u'k';
            QCOMPARE(h.docs().current().textRange(20, int(typed.size())), typed);
            QTest::qWait(20);
            ++turnsInWork;
        }
        waitForPreview(h, 120000);
        QVERIFY2(turnsInWork >= 5, qPrintable(QString::number(turnsInWork)));
    }

    // A page still loading into the editor is not made to load at once: the preview waits for
    // it and then shows the whole page.
    void aPageStillLoadingKeepsLoadingInTheBackground() {
        WindowHarness h;
        live(h).setOn(true);
        waitForPreview(h);
        h.docs().current().setBackgroundLoading(1000, 500);
        const QString html = paragraphs(40000);
        h.docs().current().setText(html, false);
        QVERIFY(h.docs().current().isLoading());
        int turnsLoading = 0;
        while (h.docs().current().isLoading() && turnsLoading < 100000) {
            QCoreApplication::processEvents();
            ++turnsLoading;
        }
        QVERIFY2(turnsLoading >= 3, qPrintable(QString::number(turnsLoading)));
        waitForPreview(h, 60000);
        QVERIFY(live(h).viewer()->document().findText("paragraph 39999 with", 0) >= 0);
    }

    // Pictures of a saved page come from its folder, those of a page never saved from the
    // home folder.
    void picturesResolveAgainstThePagesFolder_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved page") << true;
        QTest::newRow("untitled page") << false;
    }
    void picturesResolveAgainstThePagesFolder() {
        QFETCH(bool, saved);
        WindowHarness h;
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(h.t.path("home")));
        QImage picture(30, 170, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString folder = h.t.path(saved ? "site" : "home");
        QDir().mkpath(folder);
        QVERIFY(picture.save(folder + "/pic.png"));
        const QString html = QStringLiteral("<P>A picture: <IMG SRC=\"pic.png\"> there");
        if (saved)
            QVERIFY(h.files().openFile(h.t.writeFile("site/page.htm", html.toUtf8())));
        else
            h.docs().current().setText(html, true);
        live(h).setOn(true);
        waitForPreview(h);
        qputenv("HOME", home);
        QVERIFY2(live(h).viewer()->documentHeight() >= 170,
                 qPrintable(QString::number(live(h).viewer()->documentHeight())));
    }

    void theModeAndTheSplitAreRemembered() {
        {
            WindowHarness h;
            QVERIFY(!live(h).viewer()->isVisible());
            live(h).toggleAction()->trigger();
            QVERIFY(live(h).viewer()->isVisible());
            auto *splitter = h.window().findChild<QSplitter *>("livePreviewSplitter");
            const int total = splitter->width();
            splitter->setSizes({total - 333, 333});
            Q_EMIT splitter->splitterMoved(total - 333, 1);
            h.t.prompts.answers << Prompts::Answer::Yes;
            QVERIFY(h.window().close());
            const QByteArray settings = h.t.settingsBytes();
            QVERIFY(settings.contains("\nlivepreview=1\n"));
            QVERIFY2(settings.contains("\nlivepreviewwidth=333\n"), settings.constData());
        }
        WindowHarness again("[Options]\ntotd=0\nlivepreview=1\nlivepreviewwidth=280\n");
        QVERIFY(live(again).isOn());
        QTRY_COMPARE(live(again).viewer()->width(), 280);
        // Without a width of its own the preview takes half of the area, also when the window
        // only gets its real size after it has come up (from the window manager).
        WindowHarness halves("[Options]\ntotd=0\nlivepreview=1\n");
        halves.window().resize(halves.window().width() + 600, halves.window().height());
        auto *splitter = halves.window().findChild<QSplitter *>("livePreviewSplitter");
        QTRY_VERIFY2(qAbs(live(halves).viewer()->width() - splitter->width() / 2) <= 8,
                     qPrintable(QStringLiteral("%1 of %2").arg(live(halves).viewer()->width())
                                    .arg(splitter->width())));
    }
};

QTEST_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
