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
    QTRY_COMPARE(h.editor().text(), QStringLiteral(R"(Go <A HREF="a.htm">home</A> now)"));

    h.editor().setSelection(0, h.editor().textLength());
    const QString caption = chooseFirstContextEntry(h.editor(), [](QWidget *d) {
        typeAndConfirm(d, QStringLiteral("target"), QStringLiteral("_top"));
    });
    QCOMPARE(caption, QStringLiteral("Edit <A HREF> tag..."));
    QTRY_COMPARE(h.editor().text(),
                 QStringLiteral(R"(Go <A HREF="a.htm" TARGET="_top">home</A> now)"));
}

void TestTagDialogWiring::ctrlEEditsTheSelectedImage() {
    WindowHarness h;
    h.type(QStringLiteral(R"(<A HREF="x">y</A><IMG SRC="a.gif">)"));
    // The menu last named the link; Ctrl+E on the image still edits the image.
    h.editor().setSelection(0, 16);
    h.window().findChild<TagDialogCommands *>()->classifySelection();
    h.editor().setSelection(16, h.editor().textLength() - 16);
    whenModalShows(
        [](QWidget *d) { typeAndConfirm(d, QStringLiteral("alt"), QStringLiteral("A")); });
    QTest::keyClick(&h.editor(), Qt::Key_E, Qt::ControlModifier);
    QTRY_COMPARE(h.editor().text(), QStringLiteral(R"(<A HREF="x">y</A><IMG SRC="a.gif" ALT="A">)"));
}

void TestTagDialogWiring::plainTextOffersNoEditEntry() {
    WindowHarness h;
    h.type(QStringLiteral("<B>bold</B>"));
    h.editor().setSelection(0, h.editor().textLength());
    QCOMPARE(chooseFirstContextEntry(h.editor()), QString());
}

QTEST_MAIN(TestTagDialogWiring)
#include "tst_tagdialogwiring.moc"
