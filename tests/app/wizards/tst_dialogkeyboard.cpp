// Every tag dialog used by keyboard only, in the main window: it opens wide enough to show its
// title and stays on the screen, with the focus on its first field, Tab goes through its fields in the order they are
// seen, typing into the first field and Enter puts the tag into the page, and one Ctrl+Z takes
// it out again.
#include "common/windowharness.h"
#include "editor/tagtoolbar.h"
#include "widgets/dialogsetup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

// The dialog window that is showing, if any.
QWidget *shownDialog() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible())
            return w;
    return nullptr;
}

// The named widget that holds the focus in `dialog` (a field's inner edit line stands for it).
QWidget *focusedField(QWidget *dialog) {
    QWidget *w = dialog->focusWidget();
    while (w && w != dialog && w->objectName().isEmpty())
        w = w->parentWidget();
    return w;
}

QRect placeIn(QWidget *dialog, QWidget *w) {
    return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size());
}

// Presses Tab until the focus is back where it started. Going through the fields in the order
// they are read (down, right within a row, or up into a column further right) comes back up to
// the start once; any other step back names its field.
QString tabWalk(QWidget *dialog) {
    QWidget *first = dialog->focusWidget();
    QList<QWidget *> cycle{first};
    while (cycle.size() < 80) {
        QTest::keyClick(cycle.last(), Qt::Key_Tab);
        QWidget *next = dialog->focusWidget();
        if (next == first)
            break;
        if (next == cycle.last())
            return QStringLiteral("Tab stays in ") + focusedField(dialog)->objectName();
        cycle.append(next);
    }
    if (cycle.size() == 80)
        return QStringLiteral("Tab never comes back");
    QStringList back;
    for (int i = 0; i < cycle.size(); ++i) {
        const QRect a = placeIn(dialog, cycle[i]);
        const QRect b = placeIn(dialog, cycle[(i + 1) % cycle.size()]);
        const bool sameRow = (b.center().y() >= a.top() && b.center().y() <= a.bottom()) ||
                             (a.center().y() >= b.top() && a.center().y() <= b.bottom());
        const bool forward = sameRow ? b.left() > a.left()
                                     : b.center().y() > a.center().y() || b.left() >= a.right();
        if (!forward)
            back << cycle[(i + 1) % cycle.size()]->objectName();
    }
    return back.size() == 1 ? QString() : back.join(QLatin1Char(' '));
}

// How a window sticks out of its screen ("" when it lies within it, title bar and all).
QString offScreen(const QWidget *window) {
    const QRect room = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (room.contains(frame))
        return QString();
    return QStringLiteral("%1 at %2,%3 %4x%5 on a screen of %6x%7")
        .arg(window->windowTitle())
        .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
        .arg(room.width()).arg(room.height());
}

// Keys as typed: "\n" is Enter, arrows stand for the arrow keys, "⇥" is Ctrl+Tab (the next page
// of tabs), "✓" is Tab up to the Ok button and Enter there, anything else is typed. Before each key the window must lie on the screen (a
// wizard's next page is larger than the one before); `outside` receives how it did not.
void typeKeys(QWidget *dialog, const QString &keys, QString *outside) {
    QPointer<QWidget> window(dialog);
    for (const QChar c : keys) {
        QCoreApplication::processEvents(); // as between a user's keys
        if (!window || !window->isVisible())
            return;
        if (outside->isEmpty())
            *outside = offScreen(window);
        QWidget *target = window->focusWidget() ? window->focusWidget() : window.data();
        switch (c.unicode()) {
        case u'\n': QTest::keyClick(target, Qt::Key_Return); break;
        case u'→': QTest::keyClick(target, Qt::Key_Right); break;
        case u'←': QTest::keyClick(target, Qt::Key_Left); break;
        case u'↓': QTest::keyClick(target, Qt::Key_Down); break;
        case u'↑': QTest::keyClick(target, Qt::Key_Up); break;
        case u'⇥': QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier); break;
        case u'✓':
            for (int i = 0; i < 80 && target->objectName() != QLatin1String("okButton"); ++i) {
                QTest::keyClick(target, Qt::Key_Tab);
                target = window->focusWidget();
            }
            QTest::keyClick(target, Qt::Key_Return);
            break;
        default: QTest::keyClicks(target, QString(c));
        }
    }
}

} // namespace

class TestDialogKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyDialogByKeyboard_data();
    void everyDialogByKeyboard();
    void theOtherDialogsTakeTheKeysAlike_data();
    void theOtherDialogsTakeTheKeysAlike();
};

void TestDialogKeyboard::everyDialogByKeyboard_data() {
    QTest::addColumn<QString>("opener");   // a toolbar button or a window action
    QTest::addColumn<QString>("page");     // the page text before; the caret at its end
    QTest::addColumn<QString>("first");    // the field focused on opening
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected"); // the page after ("…" first: a part of it)

    const QString basic = "<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n</HEAD>\n<BODY>\n";
    QTest::newRow("image") << "imageButton" << "" << "imageSource" << "a.gif\n"
                           << R"(<IMG SRC="a.gif">)";
    QTest::newRow("link") << "linkButton" << "" << "link" << "a.htm\n" << R"(<A HREF="a.htm"></A>)";
    QTest::newRow("anchor") << "anchorButton" << "" << "anchorName" << "top\n"
                            << R"(<A NAME="top"></A>)";
    QTest::newRow("e-mail") << "mailLinkButton" << "" << "address" << "me@x.org\n"
                            << R"(<A HREF="mailto:me@x.org">me@x.org</A>)";
    QTest::newRow("embed") << "embedButton" << "" << "source" << "s.mid\n"
                           << R"(<EMBED SRC="s.mid">)";
    QTest::newRow("page properties") << "pagePropertiesButton" << "<TITLE>a</TITLE><BODY>"
                                     << "title" << "b\n" << "<TITLE>b</TITLE><BODY>";

    // Letters and arrows look through the colours; Enter takes the one shown.
    QTest::newRow("colour") << "colorButton" << "" << "colors" << "r\n" << "red";
    QTest::newRow("colour, typed on") << "colorButton" << "" << "colors" << "bla\n" << "black";
    QTest::newRow("colour, by arrows") << "colorButton" << "" << "colors" << "↓↓\n" << "fuchsia";
    QTest::newRow("quick table") << "quickTableButton" << "" << "tableSizeGrid" << "→↓\n"
                                 << "\n<TABLE>\n<TR>\n\t<TD></TD>\n\t<TD></TD>\n</TR>\n<TR>\n"
                                    "\t<TD></TD>\n\t<TD></TD>\n</TR>\n</TABLE>\n ";
    QTest::newRow("table editor")
        << "tableEditorButton" << "" << "cellGrid" << "x\n\n"
        << "\n<TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" WIDTH=\"0\" HEIGHT=\"0\" BORDER=\"0\">\n"
           "       <CAPTION></CAPTION>\n<TR>\n\t<TD>x</TD>\n</TR>\n</TABLE>\n ";
    QTest::newRow("quick list") << "quickListButton" << "" << "unordered" << "↓\n"
                                << "\n<OL>\n\t<LI>\n</OL>\n ";
    QTest::newRow("quick definition list") << "quickDefinitionListButton" << "" << "items" << "2\n"
                                           << "\n<DL>\n\t<DT><DD>\n\t<DT><DD>\n</DL>\n ";
    QTest::newRow("font") << "quickFontButton" << "" << "fontSize" << "+2\n"
                          << R"(<FONT SIZE="+2"></FONT>)";
    QTest::newRow("basefont") << "baseFontButton" << "" << "fontSize" << "3\n"
                              << R"(<BASEFONT SIZE="3">)";
    QTest::newRow("form") << "formButton" << "" << "action" << "go.cgi\n"
                          << R"(<FORM ACTION="go.cgi"></FORM>)";
    QTest::newRow("text input")
        << "textInputButton" << "" << "typeText" << "→\n"
        << R"(<INPUT TYPE="HIDDEN" NAME="" VALUE="" SIZE="0" MAXLENGTH="0">)";
    QTest::newRow("textarea") << "textAreaButton" << "" << "name" << "t\n"
                              << R"(<TEXTAREA NAME="t" ROWS="0" COLS="0"></TEXTAREA>)";
    QTest::newRow("checkbox") << "checkboxButton" << "" << "name" << "c\n"
                              << R"(<INPUT TYPE=CHECKBOX NAME="c" VALUE="ON">)";
    QTest::newRow("radio button") << "radioButtonButton" << "" << "name" << "r\n"
                                  << R"(<INPUT TYPE="RADIO" NAME="r" VALUE="OFF">)";
    QTest::newRow("drop-down list")
        << "dropDownListButton" << "" << "name" << "s\n"
        << "\n<SELECT NAME=\"s\">\n   <OPTION SELECTED>\n</SELECT>\n ";
    QTest::newRow("tag wizard") << "actionTagWizard" << "" << "tagWizardTags" << "<b\n"
                                << "<B></B>";
    // Enter in the attribute list adds the attribute only; Enter in the start tag inserts.
    QTest::newRow("tag wizard, attributes") << "actionTagWizard" << "" << "tagWizardTags"
                                            << "<img\t↓\n↓\n\t\n" << R"(<IMG ALT="" ISMAP>)";
    QTest::newRow("frame wizard") << "actionFrameWizard" << "" << "rowsChoice" << "\n\n✓"
                                  << "\n<FRAMESET COLS=\"100%\" ROWS=\"50%,*\">\n"
                                     "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">\n"
                                     "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">\n"
                                     "</FRAMESET>\n ";
    // The arrow keys pick a frame in the drawing as a click does.
    QTest::newRow("frame wizard, second frame")
        << "actionFrameWizard" << "" << "rowsChoice" << "\n\n↓\t\t\t5✓"
        << "\n<FRAMESET COLS=\"100%\" ROWS=\"50%,*\">\n"
           "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">\n"
           "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\" MARGINWIDTH=\"5\">\n"
           "</FRAMESET>\n ";
    QTest::newRow("javascripts") << "actionJavaScripts" << basic << "scrollerText" << "Hi\n"
                                 << "…<BODY onLoad=\"scroller()\">";
    // Another page of tabs takes the keys in its first field.
    QTest::newRow("javascripts, a later page")
        << "actionJavaScripts" << basic << "scrollerText" << "⇥⇥⇥⇥⇥⇥⇥http://x.org/\n"
        << "…<A HREF=\"http://x.org/\">http://x.org/</A>";
}

void TestDialogKeyboard::everyDialogByKeyboard() {
    QFETCH(QString, opener);
    QFETCH(QString, page);
    QFETCH(QString, first);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    WindowHarness h;
    h.editor().sourceDocument().setText(page);
    h.editor().setSelection(h.editor().sourceDocument().textLength(), 0);

    QString focused;
    int narrower = 0; // than the title needs
    QString backwards = QStringLiteral("(not opened)");
    QString outside;
    bool done = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *dialog = shownDialog();
        if (!dialog || done)
            return;
        done = true;
        poll.stop();
        dialog->activateWindow();
        (void)QTest::qWaitForWindowActive(dialog); // the key checks below tell a failure
        QApplication::setActiveWindow(dialog);
        narrower = DialogSetup::titleWidth(dialog, dialog->windowTitle()) - dialog->width();
        QWidget *field = focusedField(dialog);
        focused = field ? field->objectName() : QString();
        backwards = tabWalk(dialog);
        QPointer<QWidget> guard(dialog);
        typeKeys(dialog, keys, &outside);
        if (guard && guard->isVisible()) // a tool window that stays open
            guard->close();
    });
    poll.start();

    if (auto *button = h.window().findChild<QAbstractButton *>(opener))
        button->click();
    else if (auto *action = h.window().findChild<QAction *>(opener))
        action->trigger();
    else
        QFAIL(qPrintable(opener));
    QTRY_VERIFY(done);
    QVERIFY2(narrower <= 0, qPrintable(QString::number(narrower)));
    QCOMPARE(focused, first);
    QCOMPARE(backwards, QString());
    QCOMPARE(outside, QString());
    if (expected.startsWith(QStringLiteral("…")))
        QTRY_VERIFY2(h.editor().sourceDocument().text().contains(expected.mid(1)), qPrintable(h.editor().sourceDocument().text()));
    else
        QTRY_COMPARE(h.editor().sourceDocument().text(), expected);
    // What the dialog put in is one undo step.
    QTest::keyClick(&h.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.editor().sourceDocument().text(), page);
}

// Dialogs that are not tag dialogs, most of them made without the dialogs' shared buttons: they
// open with the focus on their first field and Tab goes through them in the order they are seen,
// as the tag dialogs do.
void TestDialogKeyboard::theOtherDialogsTakeTheKeysAlike_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("first");
    QTest::newRow("find") << "actionFind" << "searchText";
    QTest::newRow("replace") << "actionReplace" << "searchText";
    QTest::newRow("go to line") << "actionGoToLine" << "lineNumber";
    QTest::newRow("text conversion") << "actionTextConversion" << "toEntities";
    QTest::newRow("multi-file replace") << "actionMultiFileReplace" << "driveList";
    QTest::newRow("file dependencies") << "actionFileDependencies" << "htmlFiles";
    QTest::newRow("preferences") << "actionPreferences" << "convertSlashes";
    QTest::newRow("custom buttons") << "customButtonsButton" << "buttonNumber";
    QTest::newRow("tip of the day") << "actionTipOfTheDay" << "showOnStartup";
    QTest::newRow("spelling") << "actionCheckSpelling" << "notFound";
}

void TestDialogKeyboard::theOtherDialogsTakeTheKeysAlike() {
    QFETCH(QString, opener);
    QFETCH(QString, first);
    WindowHarness h;
    h.t.ctx.paths.installDir = QStringLiteral(MARLO_SHARE_DIR); // holds a dictionary
    h.docs().current().setText(QStringLiteral("<P>Sme text</P>\n"));

    QString focused = QStringLiteral("(not opened)");
    QString backwards;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *dialog = shownDialog();
        if (!dialog)
            return;
        poll.stop();
        dialog->activateWindow();
        (void)QTest::qWaitForWindowActive(dialog); // the key checks below tell a failure
        QApplication::setActiveWindow(dialog);
        QWidget *field = focusedField(dialog);
        focused = field ? field->objectName() : QString();
        backwards = tabWalk(dialog);
        dialog->close();
    });
    poll.start();
    if (auto *button = h.window().findChild<QAbstractButton *>(opener))
        button->click();
    else if (auto *action = h.window().findChild<QAction *>(opener))
        action->trigger();
    else
        QFAIL(qPrintable(opener));
    QTRY_VERIFY(!poll.isActive());
    QCOMPARE(focused, first);
    QCOMPARE(backwards, QString());
}

QTEST_MAIN(TestDialogKeyboard)
#include "tst_dialogkeyboard.moc"
