#include "common/testfiles.h"
#include "common/windowharness.h"
#include "filepanel/filedependenciesdialog.h"
#include "filepanel/filepanelcontroller.h"
#include "filepanel/imagepreviewwindow.h"
#include "filepanel/multifilereplacedialog.h"
#include "filepanel/thumbnailwindow.h"
#include "widgets/folderpanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <utime.h>

using Answer = Prompts::Answer;

class TestFilePanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void listsTheFolder();
    void columnsFitThePanel_data();
    void columnsFitThePanel();
    void popupFollowsTheSelection();
    void popupByKeyboardOpensAtTheSelection_data();
    void popupByKeyboardOpensAtTheSelection();
    void doubleClickOpensPagesAndPictures();
    void droppingInsertsThroughTheWrap_data();
    void droppingInsertsThroughTheWrap();
    void renameInPlace();
    void deleteKeyWhileRenamingEditsText();
    void deleteGoesToTheTrash();
    void previewWindowsFollowAndPage();
    void linkedFilesOfThePage();
    void multiFileSearchAndReplace();
    void replaceShowsItsChangesInOpenPages();
    void replaceAsksAboutOpenDocuments();
    void openPagesFollowTheirFile_data();
    void openPagesFollowTheirFile();

private:
    QString site(const QString &name = QString()) const {
        return m_h->t.path("site") + (name.isEmpty() ? QString() : "/" + name);
    }
    FolderPanel *panel() const { return m_h->window().findChild<FolderPanel *>("folderPanel"); }
    FilePanelController *files() const { return m_h->window().filePanel(); }
    void selectFile(const QString &name) { QVERIFY(panel()->selectFile(name)); }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < panel()->rowCount(); ++i)
            out << panel()->fileList()->topLevelItem(i)->text(0);
        return out;
    }

    std::unique_ptr<WindowHarness> m_h;
};

static void writeImage(const QString &path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path));
}

void TestFilePanel::init() {
    m_h = std::make_unique<WindowHarness>();
    qputenv("XDG_DATA_HOME", m_h->t.path("home-data").toLocal8Bit());
    QDir().mkpath(m_h->t.path("home-data"));
    writeFile(site("index.htm"), "<HTML><A HREF=\"b.html\">b</A><IMG SRC=\"pic.jpg\"></HTML>\r\n");
    writeFile(site("b.html"), QByteArray(1536, 'b'));
    writeFile(site("notes.txt"), "not shown");
    writeFile(site("song.mid"), "MThd");
    writeImage(site("pic.jpg"), QSize(300, 200));
    writeImage(site("wide.png"), QSize(1024, 768));
    panel()->setFolder(site());
}

void TestFilePanel::cleanup() { m_h.reset(); }

void TestFilePanel::listsTheFolder() {
    QCOMPARE(rows(), QStringList({"b.html", "index.htm", "pic.jpg", "song.mid", "wide.png"}));
    QTreeWidgetItem *b = panel()->fileList()->topLevelItem(0);
    QCOMPARE(b->text(1), "2 KB");
    QCOMPARE(b->text(2), "HTML Document");
    // Unticking the pictures leaves pages and multimedia.
    m_h->action("showImages")->trigger();
    QCOMPARE(rows(), QStringList({"b.html", "index.htm", "song.mid", "wide.png"}));
    QVERIFY(!m_h->t.ctx.settings.showImageFiles);
    // An empty folder: no rows, four columns of 120 pixels.
    QDir().mkpath(site("empty"));
    panel()->setFolder(site("empty"));
    QCOMPARE(panel()->rowCount(), 0);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(panel()->fileList()->columnWidth(c), 120);
    QCOMPARE(panel()->readProblem(), QString());
    // A page saved into the shown folder, by this program or another, shows up by itself.
    writeFile(site("empty/saved.htm"), "<P>");
    QTRY_COMPARE(rows(), QStringList({"saved.htm"}));
    // A folder taken away behind the panel's back is not shown as an empty one.
    QVERIFY(QDir(site("empty")).removeRecursively());
    QTRY_COMPARE(panel()->readProblem(), "This folder is not there any more.");
}

void TestFilePanel::columnsFitThePanel_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns"); // shown
    QTest::newRow("the panel's first width") << 125 << 2;
    QTest::newRow("wide") << 700 << 4;
}

// The list needs no sideways scrolling to show a file's name, and shows every column it can.
void TestFilePanel::columnsFitThePanel() {
    QFETCH(int, width);
    QFETCH(int, columns);
    QTreeWidget *list = panel()->fileList();
    list->resize(width, list->height());
    int used = 0;
    int shown = 0;
    for (int c = 0; c < 4; ++c) {
        if (list->isColumnHidden(c))
            continue;
        used += list->columnWidth(c);
        ++shown;
    }
    QVERIFY2(used <= list->viewport()->width(), qPrintable(QString::number(used)));
    QCOMPARE(shown, columns);
    QVERIFY(list->columnWidth(0) >= list->fontMetrics().horizontalAdvance(QStringLiteral("index.")));
}

void TestFilePanel::popupFollowsTheSelection() {
    QMenu *menu = m_h->menu("filePanelMenu");
    Q_EMIT menu->aboutToShow();
    QVERIFY(!m_h->action("panelOpenDefault")->isEnabled());
    selectFile("pic.jpg");
    Q_EMIT menu->aboutToShow();
    QVERIFY(m_h->action("panelView")->isEnabled());
    QVERIFY(m_h->action("panelDelete")->isEnabled());
}

void TestFilePanel::popupByKeyboardOpensAtTheSelection_data() {
    QTest::addColumn<bool>("menuKey"); // else Shift+F10
    QTest::newRow("Shift+F10") << false;
    QTest::newRow("Menu key") << true;
}

void TestFilePanel::popupByKeyboardOpensAtTheSelection() {
    QFETCH(bool, menuKey);
    QTreeWidget *list = panel()->fileList();
    // A low window at the screen's top, so that the menu fits below the file it opens at.
    m_h->window().setGeometry(0, 0, 900, 480);
    QApplication::setActiveWindow(&m_h->window());
    list->setFocus();
    QVERIFY(rows().size() >= 3);
    selectFile(rows().at(2)); // not the first: the list's corner is no answer
    QMenu *menu = m_h->menu("filePanelMenu");
    if (menuKey) {
        QContextMenuEvent press(QContextMenuEvent::Keyboard, QPoint(0, 0), list->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(list, &press);
    } else {
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    }
    QTRY_VERIFY(menu->isVisible());
    const QRect row = list->visualItemRect(list->currentItem());
    const QPoint under = list->viewport()->mapToGlobal(row.bottomLeft());
    QVERIFY2(qAbs(menu->pos().y() - under.y()) <= 2 && qAbs(menu->pos().x() - under.x()) <= 2,
             qPrintable(QStringLiteral("menu at %1,%2, row at %3,%4")
                            .arg(menu->pos().x()).arg(menu->pos().y()).arg(under.x()).arg(under.y())));
    menu->hide();
}

void TestFilePanel::doubleClickOpensPagesAndPictures() {
    auto *tabs = m_h->window().findChild<QTabWidget *>("Default");
    const int before = tabs->count();
    selectFile("index.htm");
    QTest::keyClick(panel()->fileList(), Qt::Key_Return);
    QCOMPARE(tabs->count(), before + 1);
    QVERIFY(m_h->editor().sourceDocument().text().startsWith("<HTML>"));
    QCOMPARE(panel()->folder(), site());
    selectFile("pic.jpg");
    QTest::keyClick(panel()->fileList(), Qt::Key_Return);
    QVERIFY(files()->thumbnailWindow()->isVisible());
    QCOMPARE(files()->thumbnailWindow()->picturePath(), site("pic.jpg"));
    QCOMPARE(tabs->count(), before + 1);
}

void TestFilePanel::droppingInsertsThroughTheWrap_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text"); // the editor's text after dropping onto "[x]" with x selected
    QTest::addColumn<QString>("recentLink");
    QTest::addColumn<QString>("recentImage");
    QTest::newRow("page") << "b.html" << "[<A HREF=\"b.html\">x</A>]" << "b.html" << "";
    QTest::newRow("image") << "pic.jpg" << "[<IMG SRC=\"pic.jpg\">x]" << "" << "pic.jpg";
    QTest::newRow("multimedia") << "song.mid" << "[<EMBED SRC=\"song.mid\">x]" << "" << "";
    QTest::newRow("other") << "notes.txt" << "[x]" << "" << "";
}

void TestFilePanel::droppingInsertsThroughTheWrap() {
    QFETCH(QString, file);
    QFETCH(QString, recentLink);
    QFETCH(QString, recentImage);
    m_h->files().openFile(site("index.htm"));
    SourceEditor &ed = m_h->editor();
    ed.setPlainText("[x]");
    QTextCursor c = ed.textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    ed.setTextCursor(c);
    // A real drop on the editor, as the file list's drag delivers it.
    QMimeData data;
    data.setData("application/x-marlo-panel-file", site(file).toUtf8());
    data.setUrls({QUrl::fromLocalFile(site(file))});
    const QPoint at = ed.viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ed.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ed.viewport(), &drop);
    QFETCH(QString, text);
    QTest::qWait(0); // the insertion follows the drop once the drag has ended
    QTRY_COMPARE(ed.sourceDocument().text(), text);
    const AppSettings &s = m_h->t.ctx.settings;
    QCOMPARE(s.previousLinks[0] == site(recentLink), !recentLink.isEmpty());
    QCOMPARE(s.previousImages[0] == site(recentImage), !recentImage.isEmpty());
}

void TestFilePanel::renameInPlace() {
    selectFile("b.html");
    QTreeWidgetItem *row = panel()->fileList()->currentItem();
    row->setText(0, "index.htm"); // taken: refused, the list shows the old name again
    QTRY_COMPARE(rows(), QStringList({"b.html", "index.htm", "pic.jpg", "song.mid", "wide.png"}));
    QCOMPARE(readFile(site("index.htm")).left(6), QByteArray("<HTML>"));
    QCOMPARE(m_h->t.prompts.messages().size(), 1);
    panel()->fileList()->currentItem()->setText(0, "c.html");
    QTRY_COMPARE(rows(), QStringList({"c.html", "index.htm", "pic.jpg", "song.mid", "wide.png"}));
    QCOMPARE(readFile(site("c.html")), QByteArray(1536, 'b'));
    QCOMPARE(panel()->selectedFile(), site("c.html"));
}

void TestFilePanel::deleteKeyWhileRenamingEditsText() {
    m_h->window().activateWindow();
    selectFile("b.html");
    QTreeWidget *list = panel()->fileList();
    list->setFocus();
    list->editItem(list->currentItem(), 0);
    auto *editor = list->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTRY_VERIFY(panel()->isRenaming());
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(editor->text(), ".html");
    QVERIFY(QFile::exists(site("b.html")));
    QCOMPARE(m_h->t.prompts.records.size(), 0);
}

void TestFilePanel::deleteGoesToTheTrash() {
    Q_EMIT m_h->menu("filePanelMenu")->aboutToShow(); // without a selection: the menu item is off
    selectFile("song.mid");
    panel()->fileList()->setFocus();
    m_h->t.prompts.answers.enqueue(Answer::Yes);
    QTest::keyClick(panel()->fileList(), Qt::Key_Delete);
    QVERIFY(!QFile::exists(site("song.mid")));
    QCOMPARE(readFile(m_h->t.path("home-data/Trash/files/song.mid")), QByteArray("MThd"));
    QVERIFY(!rows().contains("song.mid"));
}

void TestFilePanel::previewWindowsFollowAndPage() {
    AppSettings &s = m_h->t.ctx.settings;
    s.imagePreviewMode = true;
    selectFile("pic.jpg");
    m_h->action("panelView")->trigger();
    ImagePreviewWindow *full = files()->imagePreviewWindow();
    QVERIFY(full->isVisible());
    QCOMPARE(full->size(), QSize(310, 225));
    // The window follows the list: End selects the last file, a big picture.
    QTest::keyClick(full, Qt::Key_End);
    QCOMPARE(panel()->selectedFile(), site("wide.png"));
    QCOMPARE(full->picturePath(), site("wide.png"));
    QCOMPARE(full->size(), QSize(592, 411));
    // A file that is no picture leaves the last picture on show.
    QTest::keyClick(full, Qt::Key_Up);
    QCOMPARE(panel()->selectedFile(), site("song.mid"));
    QCOMPARE(full->picturePath(), site("wide.png"));
    QTest::keyClick(full, Qt::Key_Home);
    QCOMPARE(panel()->selectedRow(), 0);
    // Back to the thumbnail: remembered in the settings.
    selectFile("pic.jpg");
    full->switchAction()->trigger();
    QVERIFY(!s.imagePreviewMode);
    QVERIFY(!full->isVisible());
    QVERIFY(files()->thumbnailWindow()->isVisible());
    QCOMPARE(files()->thumbnailWindow()->size(), QSize(200, 200));
    QTest::keyClick(files()->thumbnailWindow(), Qt::Key_Escape);
    QVERIFY(!files()->thumbnailWindow()->isVisible());
}

void TestFilePanel::linkedFilesOfThePage() {
    m_h->files().openFile(site("index.htm"));
    FileDependenciesDialog dialog(m_h->editor().sourceDocument().text(), {});
    dialog.findChild<QPushButton *>("start")->click();
    QCOMPARE(dialog.listText(), "b.html\npic.jpg");
}

void TestFilePanel::multiFileSearchAndReplace() {
    writeFile(site("c.htm"), "<p>alpha</p>\r\n");
    utimbuf old{1000000000, 1000000000};
    ::utime(QFile::encodeName(site("c.htm")).constData(), &old);
    const QByteArray untouched = readFile(site("c.htm"));
    MultiFileReplaceDialog dialog(m_h->t.ctx, site(), {}, {});
    FolderPanel *browser = dialog.browser();
    // The browser shows the HTML mask only; two additions of the same file keep one entry.
    QCOMPARE(browser->rowCount(), 3);
    browser->fileList()->selectAll();
    dialog.addSelectedFiles();
    dialog.addSelectedFiles();
    QCOMPARE(dialog.files().size(), 3);
    dialog.findChild<QLineEdit *>("searchFor")->setText("HTML");
    dialog.findChild<QCheckBox *>("caseSensitive")->setChecked(true); // not b.html
    dialog.search();
    QTRY_VERIFY(!dialog.isRunning());
    QCOMPARE(dialog.resultText(),
             "Found search string 2 time(s) in " + QDir::toNativeSeparators(site("index.htm")));
    dialog.findChild<QLineEdit *>("replaceWith")->setText("html");
    m_h->t.prompts.answers.enqueue(Answer::Yes);
    dialog.replace();
    QTRY_VERIFY(!dialog.isRunning());
    QCOMPARE(readFile(site("index.htm")),
             QByteArray("<html><A HREF=\"b.html\">b</A><IMG SRC=\"pic.jpg\"></html>\r\n"));
    QCOMPARE(readFile(site("c.htm")), untouched);
    QCOMPARE(QFileInfo(site("c.htm")).lastModified().toSecsSinceEpoch(), 1000000000);
    QCOMPARE(dialog.resultText(),
             "Made 2 replacement(s) in " + QDir::toNativeSeparators(site("index.htm")));
}

void TestFilePanel::replaceAsksAboutOpenDocuments() {
    MultiFileReplaceDialog dialog(m_h->t.ctx, site(), {site("index.htm")}, {});
    QVERIFY(dialog.browser()->selectFile("index.htm"));
    dialog.addSelectedFiles();
    dialog.findChild<QLineEdit *>("searchFor")->setText("HTML");
    m_h->t.prompts.answers << Answer::Yes << Answer::Cancel;
    dialog.replace();
    QVERIFY(!dialog.isRunning());
    QCOMPARE(m_h->t.prompts.records.size(), 2);
    QVERIFY(m_h->t.prompts.records[1].text.startsWith("You are trying to replace a string"));
    QVERIFY(readFile(site("index.htm")).startsWith("<HTML>"));
    // Empty inputs are named.
    dialog.findChild<QLineEdit *>("searchFor")->clear();
    dialog.search();
    QCOMPARE(m_h->t.prompts.messages().last(), "Please specify a search string.");
}

// After a replace, an open page without unsaved changes shows the new text at once; one with
// unsaved changes keeps them, and saving it asks first because the file changed.
void TestFilePanel::replaceShowsItsChangesInOpenPages() {
    writeFile(site("c.htm"), "<p>HTML</p>");
    QVERIFY(m_h->files().openFile(site("index.htm")));
    SourceDocument &clean = m_h->docs().current();
    QVERIFY(m_h->files().openFile(site("c.htm")));
    SourceDocument &edited = m_h->docs().current();
    m_h->type("y");
    m_h->t.prompts.answers << Answer::Yes << Answer::Yes; // replace; the files are open
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<MultiFileReplaceDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->browser()->fileList()->selectAll();
        dialog->addSelectedFiles();
        dialog->findChild<QLineEdit *>("searchFor")->setText("HTML");
        dialog->findChild<QLineEdit *>("replaceWith")->setText("html");
        dialog->replace();
        QTRY_VERIFY(!dialog->isRunning());
        dialog->close();
    });
    m_h->action("actionMultiFileReplace")->trigger();
    QCOMPARE(clean.text(),
             "<html><A HREF=\"b.html\">b</A><IMG SRC=\"pic.jpg\"></html>\n");
    QVERIFY(!clean.isModified());
    QCOMPARE(edited.text(), "y<p>HTML</p>");
    m_h->t.prompts.answers << Answer::No;
    QVERIFY(!m_h->files().save(edited));
    QVERIFY(m_h->t.prompts.texts().last().contains("has been changed by another program"));
    QCOMPARE(readFile(site("c.htm")), QByteArray("<p>html</p>"));
}

void TestFilePanel::openPagesFollowTheirFile_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QString>("file");     // where the page's file is afterwards, in site/
    QTest::addColumn<QString>("question"); // the first question, %1 the page; empty: none
    const QString moving = "%1 is open in Marlo with unsaved changes.\n\nDo you want to %2 it all "
                           "the same? The open page follows the file to its new name; your "
                           "changes stay unsaved.";
    const QList<Answer> yes{Answer::Yes}, no{Answer::No};
    QTest::newRow("rename, unsaved") << "rename" << true << yes << "c.html"
                                     << moving.arg("%1", "rename");
    QTest::newRow("rename, unsaved, declined") << "rename" << true << no << "b.html"
                                               << moving.arg("%1", "rename");
    QTest::newRow("rename, saved") << "rename" << false << QList<Answer>() << "c.html" << "";
    QTest::newRow("move, unsaved") << "move" << true << yes << "sub/b.html"
                                   << moving.arg("%1", "move");
    QTest::newRow("move, saved") << "move" << false << QList<Answer>() << "sub/b.html" << "";
    QTest::newRow("delete, unsaved")
        << "delete" << true << yes << ""
        << "%1 is open in Marlo with unsaved changes.\n\nAre you sure you want to delete it? The "
           "page stays open; saving it writes the file again.";
}

void TestFilePanel::openPagesFollowTheirFile() {
    QFETCH(QString, command);
    QFETCH(bool, unsaved);
    QFETCH(QList<Answer>, answers);
    QFETCH(QString, file);
    QFETCH(QString, question);
    QDir().mkpath(site("sub"));
    QVERIFY(m_h->files().openFile(site("b.html")));
    SourceDocument &doc = m_h->docs().current();
    if (unsaved)
        m_h->type("x");
    m_h->t.prompts.answers << answers;
    selectFile("b.html");
    if (command == "rename") {
        panel()->fileList()->currentItem()->setText(0, "c.html");
    } else if (command == "move") {
        m_h->t.prompts.fileNames << site("sub");
        files()->moveSelected();
    } else {
        files()->deleteSelected();
    }
    QCOMPARE(m_h->t.prompts.texts().value(0),
             QString(question).replace("%1", QDir::toNativeSeparators(site("b.html"))));
    QCOMPARE(m_h->t.prompts.unexpected, 0);
    QCOMPARE(doc.fileName(), site(file.isEmpty() ? "b.html" : file));
    QCOMPARE(doc.isModified(), unsaved);
    if (file.isEmpty()) {
        QVERIFY(!QFile::exists(site("b.html"))); // in the trash; the tab keeps the text
        return;
    }
    // Saving writes where the file now is and never brings back the old name.
    if (unsaved)
        QVERIFY(m_h->files().save(doc));
    QCOMPARE(readFile(site(file)), (unsaved ? "x" : "") + QByteArray(1536, 'b'));
    QCOMPARE(QFile::exists(site("b.html")), file == "b.html");
    QCOMPARE(m_h->t.prompts.unexpected, 0);
}

QTEST_MAIN(TestFilePanel)
#include "tst_filepanel.moc"
