// The tag dialogs as a user meets them in the main window: toolbar buttons, the editor's
// context menu entry, Ctrl+E, and the pump that puts the result into the page.
#include "common/windowharness.h"
#include "editor/tagtoolbar.h"
#include "wizards/tagdialogcommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <functional>

namespace {

void whenModalShows(const std::function<void(QWidget *)> &step) {
    QTimer::singleShot(0, [step] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        step(dialog);
    });
}

void typeAndConfirm(QWidget *dialog, const QString &field, const QString &text) {
    QLineEdit *edit = dialog->findChild<QLineEdit *>(field);
    if (!edit)
        edit = dialog->findChild<QComboBox *>(field)->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    dialog->findChild<QAbstractButton *>(QStringLiteral("okButton"))->click();
}

// Opens the editor's context menu and chooses its first entry, returning that entry's caption;
// `inDialog` then runs in the dialog the entry opens.
QString chooseFirstContextEntry(SourceEditor &editor,
                                const std::function<void(QWidget *)> &inDialog = {}) {
    QString caption;
    QTimer::singleShot(0, [&caption, inDialog] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *first = menu->actions().constFirst();
        caption = first->isVisible() ? first->text() : QString();
        if (caption.isEmpty()) {
            menu->close();
            return;
        }
        if (inDialog)
            whenModalShows(inDialog);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(first).center());
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            editor.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor.viewport(), &event);
    return caption;
}

} // namespace

class TestTagDialogWiring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linkFromToolbarThenEditedFromContextMenu();
    void ctrlEEditsTheSelectedImage();
    void plainTextOffersNoEditEntry();
    void reopenedTagsComeBackWhole_data();
    void reopenedTagsComeBackWhole();
};

void TestTagDialogWiring::linkFromToolbarThenEditedFromContextMenu() {
    WindowHarness h;
    h.type(QStringLiteral("Go home now"));
    h.editor().setSelection(3, 4);
    auto *button = h.window().tagToolbar()->findChild<QToolButton *>(QStringLiteral("linkButton"));
    QVERIFY(button);
    whenModalShows(
        [](QWidget *d) { typeAndConfirm(d, QStringLiteral("link"), QStringLiteral("a.htm")); });
    button->click();
    QTRY_COMPARE(h.editor().sourceDocument().text(), QStringLiteral(R"(Go <A HREF="a.htm">home</A> now)"));

    h.editor().setSelection(0, h.editor().sourceDocument().textLength());
    const QString caption = chooseFirstContextEntry(h.editor(), [](QWidget *d) {
        typeAndConfirm(d, QStringLiteral("target"), QStringLiteral("_top"));
    });
    QCOMPARE(caption, QStringLiteral("Edit <A HREF> tag..."));
    QTRY_COMPARE(h.editor().sourceDocument().text(),
                 QStringLiteral(R"(Go <A HREF="a.htm" TARGET="_top">home</A> now)"));
}

void TestTagDialogWiring::ctrlEEditsTheSelectedImage() {
    WindowHarness h;
    h.type(QStringLiteral(R"(<A HREF="x">y</A><IMG SRC="a.gif">)"));
    // The menu last named the link; Ctrl+E on the image still edits the image.
    h.editor().setSelection(0, 16);
    h.window().findChild<TagDialogCommands *>()->classifySelection();
    h.editor().setSelection(16, h.editor().sourceDocument().textLength() - 16);
    whenModalShows(
        [](QWidget *d) { typeAndConfirm(d, QStringLiteral("alt"), QStringLiteral("A")); });
    QTest::keyClick(&h.editor(), Qt::Key_E, Qt::ControlModifier);
    QTRY_COMPARE(h.editor().sourceDocument().text(), QStringLiteral(R"(<A HREF="x">y</A><IMG SRC="a.gif" ALT="A">)"));
}

void TestTagDialogWiring::plainTextOffersNoEditEntry() {
    WindowHarness h;
    h.type(QStringLiteral("<B>bold</B>"));
    h.editor().setSelection(0, h.editor().sourceDocument().textLength());
    QCOMPARE(chooseFirstContextEntry(h.editor()), QString());
}

// Tags as public pages write them: Ctrl+E and Enter in the dialog give back an equivalent tag
// (names in capitals and values in double quotes, what the dialog has no field for kept as
// written after the rest), and one Ctrl+Z gives back the page as it was.
void TestTagDialogWiring::reopenedTagsComeBackWhole_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("image from a site's root")
        << R"x(<img src="/images/logo.png" alt="Example Inc." width="120" height="40" border="0">)x"
        << R"x(<IMG SRC="/images/logo.png" WIDTH="120" HEIGHT="40" ALT="Example Inc." BORDER="0">)x";
    QTest::newRow("image, > in a value") << R"x(<IMG SRC="a.gif" ALT="x > y" WIDTH="5">)x"
                                         << R"x(<IMG SRC="a.gif" WIDTH="5" ALT="x > y">)x";
    QTest::newRow("image, percentage") << R"x(<IMG SRC="a.gif" WIDTH="50%">)x"
                                       << R"x(<IMG SRC="a.gif" WIDTH="50%">)x";
    QTest::newRow("image, unquoted width only") << "<IMG SRC=pic.gif WIDTH=10>"
                                                << R"x(<IMG SRC="pic.gif" WIDTH="10">)x";
    QTest::newRow("image, empty alt and handlers")
        << R"x(<img src='spacer.gif' alt='' class="deco" onclick="zoom(this)" style="float:left">)x"
        << R"x(<IMG SRC="spacer.gif" ALT="" class="deco" onclick="zoom(this)" style="float:left">)x";
    QTest::newRow("image map") << "<IMG SRC=\"map.gif\" USEMAP=\"#nav\" ISMAP align=middle hspace=4>"
                               << R"x(<IMG SRC="map.gif" ALIGN="MIDDLE" HSPACE="4" USEMAP="#nav" ISMAP>)x";
    QTest::newRow("link")
        << R"x(<a href="https://example.org/d/?q=1&amp;r=2" target="_blank" rel="noopener" title='Docs "here"'>Docs</a>)x"
        << R"x(<A HREF="https://example.org/d/?q=1&amp;r=2" TARGET="_blank" REL="noopener" title='Docs "here"'>Docs</A>)x";
    QTest::newRow("link, handler with >")
        << R"x(<A HREF="p.htm" onMouseOver="window.status='Go >>'; return true">Next &gt;</A>)x"
        << R"x(<A HREF="p.htm" onMouseOver="window.status='Go >>'; return true">Next &gt;</A>)x";
    QTest::newRow("mail link")
        << R"x(<a href="mailto:info@example.com?subject=Hi" class="mail">Write us</a>)x"
        << R"x(<A HREF="mailto:info@example.com?subject=Hi" class="mail">Write us</A>)x";
    QTest::newRow("anchor") << R"x(<a name="top" id="top"></a>)x" << R"x(<A NAME="top" id="top"></A>)x";
    QTest::newRow("embed")
        << R"x(<embed src="intro.swf" width="100%" height="300" quality="high" type="application/x-shockwave-flash">)x"
        << R"x(<EMBED SRC="intro.swf" WIDTH="100%" HEIGHT="300" quality="high" type="application/x-shockwave-flash">)x";
    QTest::newRow("font") << R"x(<FONT COLOR="#ff0000" SIZE="-1" CLASS="keep" STYLE="a:b">)x"
                          << R"x(<FONT COLOR="#FF0000" SIZE="-1" CLASS="keep" STYLE="a:b">)x";
    QTest::newRow("font, four faces, a colour of no list")
        << R"x(<font face="Verdana, Arial, Helvetica, sans-serif" size="2" color="#12345">)x"
        << R"x(<FONT COLOR="#12345" SIZE="2" FACE="Verdana, Arial, Helvetica, sans-serif">)x";
    QTest::newRow("basefont") << "<basefont size=3 color=navy>" << R"x(<BASEFONT COLOR="navy" SIZE="3">)x";
    QTest::newRow("form")
        << R"x(<form action="/cgi-bin/find.pl" method="get" name="find" onsubmit="return ok(this)">)x"
        << R"x(<FORM METHOD="GET" ACTION="/cgi-bin/find.pl" name="find" onsubmit="return ok(this)">)x";
    QTest::newRow("body, script with >") << R"x(<BODY onload="if(a>b)go()" TEXT="red">)x"
                                         << R"x(<BODY TEXT="red" onload="if(a>b)go()">)x";
    QTest::newRow("body of a generated page")
        << R"x(<body bgcolor="#FFFFFF" text="#000000" link="#0000CC" vlink="#551A8B" alink="#FF0000" leftmargin="0" marginwidth="0">)x"
        << R"x(<BODY BGCOLOR="#FFFFFF" TEXT="#000000" LINK="#0000CC" VLINK="#551A8B" ALINK="#FF0000" LEFTMARGIN="0" marginwidth="0">)x";
}

void TestTagDialogWiring::reopenedTagsComeBackWhole() {
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    WindowHarness h;
    const QString page = QStringLiteral("x ") + tag + QStringLiteral(" y");
    h.editor().sourceDocument().setText(page);
    h.editor().setSelection(0, h.editor().sourceDocument().textLength());
    bool confirmed = false;
    whenModalShows([&confirmed](QWidget *d) {
        QApplication::setActiveWindow(d);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        confirmed = true;
    });
    QTest::keyClick(&h.editor(), Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(confirmed);
    QTRY_COMPARE(h.editor().sourceDocument().text(), QStringLiteral("x ") + expected + QStringLiteral(" y"));
    QTest::keyClick(&h.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.editor().sourceDocument().text(), page);
}

QTEST_MAIN(TestTagDialogWiring)
#include "tst_tagdialogwiring.moc"
