// Dialogs, prompts and pickers open over the window the user is in and take the keys; Enter in a
// field with an action of its own does that action and leaves its dialog open. A prompt parented
// to the main window opens under a dialog kept on top, and a mouse user sees a frozen program.
#include "common/windowharness.h"
#include "filepanel/filepanelcontroller.h"
#include "filepanel/multifilereplacedialog.h"
#include "platform/messageboxprompts.h"
#include "tools/preferencesdialog.h"
#include "tools/toolcommands.h"
#include "widgets/folderpanel.h"
#include "wizards/javascriptcommands.h"
#include "wizards/javascriptdialog.h"
#include "wizards/layoutcommands.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <memory>

namespace {

template <typename T = QWidget> T *child(QWidget *parent, const QString &name) {
    T *w = parent->findChild<T *>(name);
    if (!w)
        qWarning("no child %s", qPrintable(name));
    return w;
}

// Runs `act` once on the first visible window of the class `className` that is not `other`.
void whenShown(const QByteArray &className, std::function<void(QWidget *)> act,
               QPointer<QWidget> other = nullptr) {
    QTimer::singleShot(10, [=] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->inherits(className.constData()) && w != other) {
                act(w);
                return;
            }
        whenShown(className, act, other);
    });
}

QString textOf(QWidget *w) {
    if (auto *list = qobject_cast<QListWidget *>(w)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items.join(QLatin1Char('\n'));
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        return text->toPlainText();
    return QString();
}

void closeWindow(QWidget *w) {
    if (qobject_cast<QDialog *>(w))
        QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
    else
        w->close();
}

} // namespace

class TestDialogWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void promptsOpenOverTheirDialog_data();
    void promptsOpenOverTheirDialog();
    void enterInAFieldWithItsOwnAction_data();
    void enterInAFieldWithItsOwnAction();
    void dialogsOpenedByKeysTakeTheKeys_data();
    void dialogsOpenedByKeysTakeTheKeys();
};

void TestDialogWindows::promptsOpenOverTheirDialog_data() {
    QTest::addColumn<QString>("opener");      // the dialog the user is in
    QTest::addColumn<QString>("trigger");     // the button or field that opens the prompt
    QTest::addColumn<QString>("prompt");      // the class of what opens
    QTest::addColumn<int>("questionsBefore"); // earlier questions answered Yes
    QTest::newRow("Preferences: a colour's ...") << "PreferencesDialog"
                                                 << "textColor"
                                                 << "QColorDialog" << 0;
    QTest::newRow("Preferences: an executable refused") << "PreferencesDialog"
                                                        << "htmlExtension"
                                                        << "QMessageBox" << 0;
    QTest::newRow("Multiple files: replace?") << "MultiFileReplaceDialog"
                                              << "replace"
                                              << "QMessageBox" << 0;
    QTest::newRow("Multiple files: the open page too?") << "MultiFileReplaceDialog"
                                                        << "replace"
                                                        << "QMessageBox" << 1;
    QTest::newRow("Font: its own colour picker") << "FontTagDialog"
                                                 << "colorPick"
                                                 << "QColorDialog" << 0;
    QTest::newRow("JavaScripts: Help") << "JavaScriptDialog"
                                       << "helpButton"
                                       << "HelpWindow" << 0;
}

void TestDialogWindows::promptsOpenOverTheirDialog() {
    QFETCH(QString, opener);
    QFETCH(QString, trigger);
    QFETCH(QString, prompt);
    QFETCH(int, questionsBefore);
    WindowHarness h;
    const QString page = h.t.writeFile(QStringLiteral("site/page.htm"), "<P>x</P>\n");
    h.files().openFile(page);
    MessageBoxPrompts prompts;
    prompts.setParentWindow(&h.window());
    h.t.ctx.prompts = &prompts;

    QPointer<QWidget> dialog;
    QWidget *opened = nullptr;
    bool shown = false;
    QString owner; // the class of the window it belongs to
    bool active = false;
    bool onTop = false;
    bool openerOnTop = false;
    int questions = 0;
    const QByteArray promptClass = prompt.toLatin1();
    std::function<void(QWidget *)> onPrompt = [&](QWidget *w) {
        if (questions++ < questionsBefore) {
            static_cast<QMessageBox *>(w)->button(QMessageBox::Yes)->click();
            whenShown(promptClass, onPrompt, w);
            return;
        }
        shown = true;
        QWidget *parent = w->parentWidget() ? w->parentWidget()->window() : nullptr;
        owner = parent == opened ? opener
                : parent         ? QString::fromLatin1(parent->metaObject()->className())
                                 : QStringLiteral("none");
        active = QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 2000);
        onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        openerOnTop = opened->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        closeWindow(w);
        closeWindow(dialog);
    };
    whenShown(opener.toLatin1(), [&](QWidget *d) {
        dialog = d;
        opened = d;
        whenShown(promptClass, onPrompt);
        if (trigger == QLatin1String("replace")) {
            child<QListWidget>(d, QStringLiteral("filesToSearch"))->addItem(page);
            QTest::keyClicks(child(d, QStringLiteral("searchFor")), QStringLiteral("x"));
        }
        QWidget *target = child(d, trigger);
        if (auto *button = qobject_cast<QAbstractButton *>(target)) {
            button->click();
        } else {
            QTest::keyClicks(target, QStringLiteral("exe"));
            QTest::keyClick(target, Qt::Key_Return);
        }
    });
    if (opener == QLatin1String("PreferencesDialog"))
        h.window().tools()->openPreferences();
    else if (opener == QLatin1String("MultiFileReplaceDialog"))
        h.window().filePanel()->showMultiFileReplace();
    else if (opener == QLatin1String("FontTagDialog"))
        h.window().layoutCommands()->openFontTag();
    else
        h.window().javaScripts()->showDialog();

    QTRY_VERIFY(dialog.isNull() || !dialog->isVisible());
    QVERIFY2(shown, "nothing opened");
    QCOMPARE(owner, opener);
    QVERIFY2(active, "not the active window");
    // What opens over a window kept on top is kept on top as well.
    QCOMPARE(onTop, openerOnTop);
}

void TestDialogWindows::enterInAFieldWithItsOwnAction_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("watch");    // the widget that shows the action's effect
    QTest::addColumn<QString>("expected"); // a text it then holds
    QTest::newRow("Preferences: HTML extension adds it") << "preferences"
                                                         << "htmlExtension"
                                                         << "php"
                                                         << "htmlExtensions"
                                                         << "php";
    QTest::newRow("Preferences: multimedia extension adds it") << "preferences"
                                                               << "multimediaExtension"
                                                               << "ogg"
                                                               << "multimediaExtensions"
                                                               << "ogg";
    QTest::newRow("Multiple files: Search for searches") << "multiFile"
                                                         << "searchFor"
                                                         << "garden"
                                                         << "results"
                                                         << "Found search string 1";
    QTest::newRow("Multiple files: the file list adds the file") << "multiFile"
                                                                 << "fileList"
                                                                 << ""
                                                                 << "filesToSearch"
                                                                 << "other.htm";
    QTest::newRow("JavaScripts: the slide folder lists its pictures") << "javaScript"
                                                                      << "slideFolder"
                                                                      << "/pictures"
                                                                      << "slideFiles"
                                                                      << "tulip.gif";
}

void TestDialogWindows::enterInAFieldWithItsOwnAction() {
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, watch);
    QFETCH(QString, expected);
    TestContext t;
    const QString site = QFileInfo(t.writeFile(QStringLiteral("site/page.htm"), "garden\n")).path();
    t.writeFile(QStringLiteral("site/other.htm"), "lawn\n");
    t.writeFile(QStringLiteral("site/pictures/tulip.gif"), "GIF89a");

    std::unique_ptr<QDialog> d;
    if (dialog == QLatin1String("preferences")) {
        d = std::make_unique<PreferencesDialog>(t.ctx);
    } else if (dialog == QLatin1String("multiFile")) {
        auto *multi = new MultiFileReplaceDialog(t.ctx, site, {}, {});
        d.reset(multi);
        child<QListWidget>(multi, QStringLiteral("filesToSearch"))
            ->addItem(site + QStringLiteral("/page.htm"));
        child<FolderPanel>(multi, QStringLiteral("fileBrowser"))->setFolder(site);
    } else {
        auto *js = new JavaScriptDialog(
            t.ctx.prompt(), t.path(QStringLiteral("scripts")),
            [](const JavaScriptFields &) { return true; },
            [](const QString &f) { return f; });
        d.reset(js);
        js->setCurrentEffect(JavaScriptEffect::SlideShow);
        typed = site + typed;
    }
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QWidget *target = child(d.get(), field);
    target->setFocus();
    if (auto *list = qobject_cast<QTreeWidget *>(target)) {
        const QList<QTreeWidgetItem *> rows =
            list->findItems(QStringLiteral("other.htm"), Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        list->setCurrentItem(rows.first());
    } else {
        static_cast<QLineEdit *>(target)->selectAll();
        QTest::keyClicks(target, typed);
    }
    QTest::keyClick(target, Qt::Key_Return);

    QTRY_VERIFY2(textOf(child(d.get(), watch)).contains(expected),
                 qPrintable(textOf(child(d.get(), watch))));
    QVERIFY(d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(t.prompts.texts(), QStringList()); // no other button ran
}

void TestDialogWindows::dialogsOpenedByKeysTakeTheKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::newRow("Ctrl+G") << int(Qt::Key_G) << "goToLineDialog"
                            << "lineNumber";
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << "findDialog"
                            << "searchText";
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << "replaceDialog"
                            << "searchText";
}

void TestDialogWindows::dialogsOpenedByKeysTakeTheKeys() {
    QFETCH(int, key);
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    WindowHarness h;
    h.editor().setFocus();
    QTest::keyClick(&h.editor(), Qt::Key(key), Qt::ControlModifier);
    QTRY_VERIFY(QApplication::activeWindow());
    QTRY_COMPARE(QApplication::activeWindow()->objectName(), dialog);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), field);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

QTEST_MAIN(TestDialogWindows)
#include "tst_dialogwindows.moc"
