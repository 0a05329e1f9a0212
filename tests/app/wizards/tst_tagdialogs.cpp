#include "common/singledocument.h"
#include "common/testcontext.h"
#include "editor/editoperations.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "tools/recentlists.h"
#include "widgets/colorcombobox.h"
#include "wizards/colorselectiondialog.h"
#include "wizards/tagdialogcommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QtTest>
#include <functional>

namespace {

// Runs `step` on the modal dialog once it shows, then presses its OK button.
void answerDialog(const std::function<void(QWidget *)> &step) {
    QTimer::singleShot(0, [step] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        step(dialog);
        auto *ok = dialog->findChild<QAbstractButton *>(QStringLiteral("okButton"));
        QVERIFY(ok);
        ok->click();
    });
}

// Replaces a field's text by typing, as a user does (typing ticks the field's box).
void typeInto(QWidget *dialog, const QString &field, const QString &text) {
    QLineEdit *edit = dialog->findChild<QLineEdit *>(field);
    if (!edit) {
        auto *combo = dialog->findChild<QComboBox *>(field);
        QVERIFY2(combo, qPrintable(field));
        edit = combo->lineEdit();
    }
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestTagDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editInPlace_data();
    void editInPlace();
    void newImageReadsItsSize();
    void newLinkAroundSelection();
    void newMailLinkFollowsAddress();
    void pageProperties();
    void colorSelectionHandsOverColor();
    void laterDialogsRegisterTheirTags();

private:
    void settle(); // applies what a dialog handed over, as the main window does
    // "Edit <...> tag..." of the editor's context menu.
    QAction *editEntry() const { return m_registry->action(QStringLiteral("editTagAction")); }
    TestContext *m_t = nullptr;
    QWidget *m_window = nullptr;
    SingleDocument *m_docs = nullptr;
    SourceEditor *m_editor = nullptr;
    ActionRegistry *m_registry = nullptr;
    TagDialogCommands *m_commands = nullptr;
    QString m_panelFile;
    QString m_delivered; // the start text of the last insertion handed over
};

void TestTagDialogs::init() {
    m_t = new TestContext;
    static const char *const names[] = {"blue", "fuchsia", "green", "yellow", "white", "teal",
                                        "purple", "olive", "lime", "black", "aqua", "gray",
                                        "maroon", "navy", "red", "silver"};
    for (int i = 0; i < 16; ++i)
        m_t->ctx.settings.colorList[i] = QLatin1String(names[i]);
    m_window = new QWidget;
    m_docs = new SingleDocument(m_window, m_window);
    m_docs->current().setFileName(m_t->path(QStringLiteral("page.htm")));
    m_editor = m_docs->view();
    m_panelFile.clear();
    m_registry = new ActionRegistry(m_window);
    m_commands = new TagDialogCommands(m_t->ctx, *m_docs, [this] { return m_panelFile; },
                                       *m_registry, m_window);
    connect(&m_t->ctx.insertions, &InsertionChannel::insertionArrived, m_window,
            [this](PendingInsertion insertion) {
                m_delivered = insertion.startText;
                applyPendingInsertion(*m_editor, insertion, true);
            });
    m_delivered.clear();
    m_window->show();
}

void TestTagDialogs::cleanup() {
    delete m_window;
    delete m_t;
}

void TestTagDialogs::settle() {
    QCoreApplication::processEvents(); // the channel delivers from the event loop
}

void TestTagDialogs::editInPlace_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("edited");
    QTest::newRow("image") << R"(<IMG SRC="a.gif" ALT="old">)" << "Edit <IMG> tag..." << "alt"
                           << "new" << R"(<IMG SRC="a.gif" ALT="new">)";
    QTest::newRow("image keeps its size")
        << R"(<img src="a.gif" width=5 height=6>)" << "Edit <IMG> tag..." << "hspace" << "3"
        << R"(<IMG SRC="a.gif" WIDTH="5" HEIGHT="6" HSPACE="3">)";
    QTest::newRow("link") << R"(<A HREF="a.htm">Home</A>)" << "Edit <A HREF> tag..." << "target"
                          << "_top" << R"(<A HREF="a.htm" TARGET="_top">Home</A>)";
    QTest::newRow("link around an image")
        << R"(<a href="a.htm"><IMG SRC="b.gif"></a>)" << "Edit <A HREF> tag..." << "link"
        << "c.htm" << R"(<A HREF="c.htm"><IMG SRC="b.gif"></A>)";
    QTest::newRow("mail") << R"(<A HREF="mailto:a@b.c">Write</A>)" << "Edit \"mailto:\" link..."
                          << "subject" << "Hi" << R"(<A HREF="mailto:a@b.c" TITLE="Hi">Write</A>)";
    QTest::newRow("mail keeps its description")
        << R"(<A HREF="mailto:a@b.c">Write</A>)" << "Edit \"mailto:\" link..." << "address"
        << "x@y.z" << R"(<A HREF="mailto:x@y.z">Write</A>)";
    QTest::newRow("anchor") << R"(<A NAME="top">Top</A>)" << "Edit <A NAME> tag..."
                            << "anchorName" << "start" << R"(<A NAME="start">Top</A>)";
    QTest::newRow("embed") << R"(<EMBED SRC="s.mid" ALIGN="left">)" << "Edit <EMBED> tag..."
                           << "border" << "2" << R"(<EMBED SRC="s.mid" ALIGN="LEFT" BORDER="2">)";
}

void TestTagDialogs::editInPlace() {
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, edited);
    m_editor->sourceDocument().setText(QStringLiteral("before\n ") + tag + QStringLiteral(" after"));
    m_editor->setSelection(3, m_editor->sourceDocument().textLength() - 5); // from inside "before" into "after"
    m_commands->classifySelection();
    QAction *entry = editEntry();
    QVERIFY(entry->isVisible() && entry->isEnabled());
    QCOMPARE(entry->text(), caption);
    answerDialog([&](QWidget *dialog) { typeInto(dialog, field, value); });
    entry->trigger();
    settle();
    QCOMPARE(m_editor->sourceDocument().text(), QStringLiteral("before\n ") + edited + QStringLiteral(" after"));
}

void TestTagDialogs::newImageReadsItsSize() {
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString file = m_t->path(QStringLiteral("Pic.PNG")); // the name keeps its case
    QVERIFY(picture.save(file, "PNG"));
    m_panelFile = file;
    m_editor->sourceDocument().setText(QStringLiteral("x"));
    m_editor->setSelection(0, 1);
    answerDialog([](QWidget *dialog) {
        QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("width"))->value(), 30);
        QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("height"))->value(), 20);
        dialog->findChild<QAbstractButton *>(QStringLiteral("useSize"))->click();
    });
    m_commands->newImage(true);
    settle();
    QCOMPARE(m_editor->sourceDocument().text(), QStringLiteral(R"(<IMG SRC="Pic.PNG" WIDTH="30" HEIGHT="20">)"));
    QCOMPARE(m_t->ctx.settings.previousImages[0], file);
    // The toolbar button offers pictures a page can show only: a PCX scan is not handed over.
    m_panelFile = m_t->writeFile(QStringLiteral("scan.pcx"), "not for pages");
    answerDialog([](QWidget *dialog) {
        QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("imageSource"))->currentText(),
                 QString());
    });
    m_commands->newImage(false);
}

void TestTagDialogs::newLinkAroundSelection() {
    m_editor->sourceDocument().setText(QStringLiteral("Go home now"));
    m_editor->setSelection(3, 4);
    answerDialog([](QWidget *dialog) {
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("description"))->text(),
                 QStringLiteral("home"));
        typeInto(dialog, QStringLiteral("link"), QStringLiteral("index.htm"));
    });
    m_commands->newLink(false);
    settle();
    QCOMPARE(m_editor->sourceDocument().text(), QStringLiteral(R"(Go <A HREF="index.htm">home</A> now)"));
    QCOMPARE(m_t->ctx.settings.previousLinks[0], QStringLiteral("index.htm"));
}

void TestTagDialogs::newMailLinkFollowsAddress() {
    m_editor->sourceDocument().setText(QString());
    answerDialog([](QWidget *dialog) {
        typeInto(dialog, QStringLiteral("address"), QStringLiteral("me@x.org"));
        typeInto(dialog, QStringLiteral("subject"), QStringLiteral("Hello"));
    });
    m_commands->newMailLink();
    settle();
    QCOMPARE(m_editor->sourceDocument().text(),
             QStringLiteral(R"(<A HREF="mailto:me@x.org" TITLE="Hello">me@x.org</A>)"));

    // Selected text is the user's description: typing the address leaves it alone.
    m_editor->sourceDocument().setText(QStringLiteral("Write to us"));
    m_editor->setSelection(0, 11);
    answerDialog([](QWidget *dialog) {
        typeInto(dialog, QStringLiteral("address"), QStringLiteral("me@x.org"));
    });
    m_commands->newMailLink();
    settle();
    QCOMPARE(m_editor->sourceDocument().text(), QStringLiteral(R"(<A HREF="mailto:me@x.org">Write to us</A>)"));
}

void TestTagDialogs::pageProperties() {
    m_editor->sourceDocument().setText(QStringLiteral(
        "<html><head><title>Old</title></head>\n<body bgcolor=\"#123456\" link=\"rebeccapurple\"\n"
        " onload=\"go()\">\n"
        "<p>text</p>\n</body></html>"));
    const int body = m_editor->sourceDocument().text().indexOf(QLatin1String("<body"));
    m_editor->setSelection(body, m_editor->sourceDocument().text().indexOf(QLatin1Char('>'), body) + 1 - body);
    m_commands->classifySelection();
    QCOMPARE(editEntry()->text(), QStringLiteral("Edit <BODY> tag..."));
    // The document's colour is new to the list, and so is the one picked in the colour dialog; a
    // colour name the program does not know is written back as it stands.
    m_t->prompts.colors.enqueue(QColor(0x10, 0x20, 0x30));
    answerDialog([](QWidget *dialog) {
        auto *bgcolor = dialog->findChild<ColorComboBox *>(QStringLiteral("bgcolor"));
        QCOMPARE(bgcolor->selectedName(), QStringLiteral("#123456"));
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("otherAttributes"))->text(),
                 QStringLiteral("onload=\"go()\""));
        typeInto(dialog, QStringLiteral("title"), QStringLiteral("New"));
        typeInto(dialog, QStringLiteral("leftmargin"), QStringLiteral("0px"));
        dialog->findChild<QAbstractButton *>(QStringLiteral("textColorPick"))->click();
        dialog->findChild<ColorComboBox *>(QStringLiteral("vlinkColor"))
            ->selectColor(QStringLiteral("default"));
    });
    editEntry()->trigger();
    QCOMPARE(m_editor->sourceDocument().text(),
             QStringLiteral("<html><head><TITLE>New</TITLE></head>\n"
                            "<BODY BGCOLOR=\"#123456\" TEXT=\"#102030\" LINK=\"rebeccapurple\" "
                            "LEFTMARGIN=\"0PX\" "
                            "onload=\"go()\">\n<p>text</p>\n</body></html>"));
    QCOMPARE(m_t->ctx.settings.colorList[16], QStringLiteral("#102030"));
    QCOMPARE(m_t->ctx.settings.colorList[17], QStringLiteral("#123456"));
}

void TestTagDialogs::colorSelectionHandsOverColor() {
    m_commands->openColorSelection(QPoint(5, 5));
    auto *dialog = m_window->findChild<ColorSelectionDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->x() >= 0);
    ColorComboBox *box = dialog->colorBox();
    const int red = box->findColor(QStringLiteral("red"));
    QVERIFY(red >= 0);
    QMetaObject::invokeMethod(box, "activated", Q_ARG(int, red));
    settle();
    QCOMPARE(m_delivered, QStringLiteral("red"));
    QTRY_VERIFY(!m_window->findChild<ColorSelectionDialog *>());
}

void TestTagDialogs::laterDialogsRegisterTheirTags() {
    m_editor->sourceDocument().setText(QStringLiteral("<FONT SIZE=3>x</FONT>"));
    m_editor->setSelection(0, 13);
    m_commands->classifySelection();
    QVERIFY(!editEntry()->isVisible());
    QString received;
    m_commands->registerTagEditor(TagKind::Font, [&](const QString &tag) { received = tag; });
    m_commands->classifySelection();
    QCOMPARE(editEntry()->text(), QStringLiteral("Edit <FONT> tag..."));
    editEntry()->trigger();
    QCOMPARE(received, QStringLiteral("<FONT SIZE=3>"));
}

QTEST_MAIN(TestTagDialogs)
#include "tst_tagdialogs.moc"
