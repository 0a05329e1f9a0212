// The markup commands as the user reaches them: toolbar buttons, menu shortcuts, the template
// and attribute pages, the date/time menu, the previously used lists and the text dialogs hand over.
#include "common/dialogdriver.h"
#include "common/windowharness.h"
#include "editor/editcommands.h"
#include "editor/replacedialog.h"
#include "editor/searchcommands.h"
#include "editor/tagtoolbar.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QMenu>
#include <QToolButton>

namespace {
QToolButton *buttonWithHint(WindowHarness &h, const QString &hint) {
    for (QToolButton *b : h.window().tagToolbar()->findChildren<QToolButton *>())
        if (b->toolTip() == hint)
            return b;
    return nullptr;
}
} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolbarButtonsWrapTheSelectionAsOneUndoStep_data() {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bold") << "Bold Face" << "a<B>word</B>b";
        QTest::newRow("comment") << "Comment" << "a<!--word-->b";
        QTest::newRow("table row") << "Table row" << "a<TR>word</TR>b";
        QTest::newRow("heading") << "Heading 3" << "a<H3>word</H3>b";
        QTest::newRow("reset") << "Reset form" << "a<INPUT TYPE=\"RESET\" VALUE=\"word\">b";
        QTest::newRow("entity") << "Copyright" << "a&copy;wordb";
    }
    void toolbarButtonsWrapTheSelectionAsOneUndoStep() {
        QFETCH(QString, hint);
        QFETCH(QString, expected);
        WindowHarness h;
        h.type("awordb");
        h.editor().setSelection(1, 4);
        QToolButton *button = buttonWithHint(h, hint);
        QVERIFY2(button, qPrintable(hint));
        button->click();
        QCOMPARE(h.editor().sourceDocument().text(), expected);
        h.action("actionUndo")->trigger();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("awordb"));
    }

    void menuShortcutsWrapInTheFocusedEditor_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << int(Qt::ControlModifier) << "<B></B>";
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(Qt::ControlModifier) << "<I></I>";
        QTest::newRow("Ctrl+U") << int(Qt::Key_U) << int(Qt::ControlModifier) << "<U></U>";
        QTest::newRow("Ctrl+1") << int(Qt::Key_1) << int(Qt::ControlModifier) << "<H1></H1>";
        QTest::newRow("Ctrl+6") << int(Qt::Key_6) << int(Qt::ControlModifier) << "<H6></H6>";
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << "<BR>";
        QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "<P>";
    }
    void menuShortcutsWrapInTheFocusedEditor() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        WindowHarness h;
        h.window().activateWindow();
        h.editor().setFocus();
        QTest::keyClick(&h.editor(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(h.editor().sourceDocument().text(), expected);
    }

    void indentShortcutsReachTheCommandsNotTheEditor() {
        WindowHarness h;
        h.type("line");
        h.window().activateWindow();
        h.editor().setFocus();
        QTest::keyClick(&h.editor(), Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("\tline"));
        QTest::keyClick(&h.editor(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("line"));
    }

    void templatesSplitAtTheDots() {
        WindowHarness h;
        h.type("x");
        h.editor().selectAll();
        TagToolbar *bar = h.window().tagToolbar();
        bar->templateList()->setCurrentText(QStringLiteral("<A HREF=\"\">...</A>"));
        bar->findChild<QToolButton *>("insertTemplateButton")->click();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<A HREF=\"\">x</A>"));
        bar->templateList()->setCurrentText(QString());
        bar->findChild<QToolButton *>("insertTemplateButton")->click();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<A HREF=\"\">x</A>"));
        bar->attributeList()->setCurrentText(QStringLiteral("BGCOLOR"));
        h.editor().setSelection(h.editor().sourceDocument().textLength(), 0);
        bar->findChild<QToolButton *>("insertAttributeButton")->click();
        QVERIFY(h.editor().sourceDocument().text().endsWith("BGCOLOR"));
    }

    void userButtonsWrapWithTheirTexts() {
        WindowHarness h("[Options]\ntotd=0\n[Buttons]\nbtext2=Em\ntagstart2=<EM>\ntagend2=</EM>\n");
        QToolButton *b = h.window().tagToolbar()->userButton(1);
        QCOMPARE(b->text(), QStringLiteral("Em"));
        b->click();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<EM></EM>"));
        h.window().tagToolbar()->userButton(0)->click(); // empty texts insert nothing
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<EM></EM>"));
    }

    void dateTimeItemsInsertTheirCaptions() {
        WindowHarness h;
        QMenu *menu = h.menu("dateTimeMenu");
        QMetaObject::invokeMethod(menu, "aboutToShow");
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 4);
        const QString caption = items[3]->data().toString();
        QVERIFY(caption.contains(QString::number(QDate::currentDate().year()) + ","));
        items[3]->trigger();
        QCOMPARE(h.editor().sourceDocument().text(), caption);
    }

    void previousLinksInsertReferences() {
        WindowHarness h;
        h.t.ctx.settings.previousLinks[0] = QStringLiteral("http://example.org/");
        h.t.ctx.settings.previousLinks[1] = h.docs().panelFolder() + QStringLiteral("/pics/a.gif");
        EditCommands *edit = h.window().editCommands();
        edit->refreshPreviousLists();
        QMenu *links = h.menu("previousLinksMenu");
        QMetaObject::invokeMethod(links, "aboutToShow");
        const QList<QAction *> items = links->actions();
        QVERIFY(items[1]->isVisible());
        QVERIFY(!items[2]->isVisible());
        items[1]->trigger();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("pics/a.gif"));
        items[0]->trigger();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("pics/a.gifhttp://example.org/"));

        QMenu *images = h.menu("previousImagesMenu");
        QMetaObject::invokeMethod(images, "aboutToShow");
        QVERIFY(images->actions()[0]->isVisible()); // the first item stays, showing "[empty]"
        QCOMPARE(images->actions()[0]->text(), QStringLiteral("[empty]"));
        images->actions()[0]->trigger();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("pics/a.gifhttp://example.org/"));
    }

    void clearingAListAsksAndSaves_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("question");
        QTest::newRow("links") << 0
                               << "Are you sure you want to delete the \"previously used link list\"?";
        QTest::newRow("all") << 3 << "Are you sure you want to delete all \"previous lists\"?";
    }
    void clearingAListAsksAndSaves() {
        QFETCH(int, item);
        QFETCH(QString, question);
        WindowHarness h("[Options]\ntotd=0\nlastl1=a.htm\n");
        QAction *a = h.menu("deletePreviousListsMenu")->actions()[item];
        h.t.prompts.answers << Prompts::Answer::No;
        a->trigger();
        QCOMPARE(h.t.ctx.settings.previousLinks[0], QStringLiteral("a.htm"));
        h.t.prompts.answers << Prompts::Answer::Yes;
        a->trigger();
        QCOMPARE(h.t.prompts.texts().last(), question);
        QCOMPARE(h.t.ctx.settings.previousLinks[0], QStringLiteral("[empty]"));
        QVERIFY(h.t.settingsBytes().contains("lastl1=[empty]"));
    }

    // A dialog's OK hands its text over and closes; the text arrives after the dialog is gone,
    // wraps the selection as one undo step, and a block handed over with it follows it.
    void handedOverTextArrivesOnceTheDialogHasClosed() {
        WindowHarness h;
        h.type("abc");
        h.editor().setSelection(1, 1);
        QDialog dialog(&h.window());
        bool openOnArrival = false;
        QObject::connect(&h.editor(), &SourceEditor::textChanged, &dialog,
                         [&] { openOnArrival = openOnArrival || dialog.isVisible(); });
        QTimer::singleShot(0, &dialog, [&] {
            h.t.ctx.setPendingInsertion(QStringLiteral("<B>"), QStringLiteral("</B>"));
            QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("abc")); // not while the dialog is open
            dialog.accept();
        });
        dialog.exec();
        QTRY_COMPARE(h.editor().sourceDocument().text(), QStringLiteral("a<B>b</B>c"));
        QVERIFY(!openOnArrival);
        QVERIFY(!h.t.ctx.insertions.hasPending());
        h.editor().undo();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("abc"));
    }

    void stripAllTagsAsksFirst() {
        WindowHarness h;
        h.type("a<b>c</b>d");
        h.t.prompts.answers << Prompts::Answer::No;
        h.window().editCommands()->stripAllTags();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("a<b>c</b>d"));
        h.t.prompts.answers << Prompts::Answer::Yes;
        h.window().editCommands()->stripAllTags();
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("acd"));
        QCOMPARE(h.t.prompts.texts().last(), QStringLiteral("Do you really want to strip all tags?"));
    }

    void findReportsTheMissAndReplaceAllDoubles() {
        WindowHarness h;
        h.type("Aa b a");
        h.editor().setSelection(0, 0);
        SearchCommands *search = h.window().search();
        search->findNext(QStringLiteral("zz"), false);
        search->findNext(QStringLiteral("zz"), true);
        QCOMPARE(h.t.prompts.messages(), (QStringList{"Text not found.", "Text not found"}));
        search->replace(QStringLiteral("a"), QStringLiteral("aa"), true);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("aaaa b aa"));
        search->goToLine(-4);
        QCOMPARE(h.editor().row(), 0);
    }


    // Undo and redo of a command on line 200 of a long page put the caret where the edit was, as
    // for typing: the view stays there instead of going to the top of the page. Each is one step.
    void undoAndRedoLeaveTheCaretWhereTheEditWas_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("changedLine"); // line 200 after the command
        // Column and line of the caret after undo (where it stood, or behind the text put back)
        // and after redo (behind the change made again).
        QTest::addColumn<QPoint>("undone");
        QTest::addColumn<QPoint>("redone");
        QTest::newRow("Ctrl+B on the selected line") << "wrap" << "<B><P>line 200</P></B>" << QPoint(15, 199) << QPoint(22, 199);
        QTest::newRow("a typed character becomes its entity") << "entity" << "<P>line 200</P>&eacute;" << QPoint(15, 199) << QPoint(23, 199);
        QTest::newRow("quick table below the line") << "table" << "<P>line 200</P>" << QPoint(15, 199) << QPoint(0, 206);
        QTest::newRow("Replace All from the line on") << "replaceAll" << "<P>row 200</P>" << QPoint(0, 199) << QPoint(6, 299);
    }
    void undoAndRedoLeaveTheCaretWhereTheEditWas() {
        QFETCH(QString, command);
        QFETCH(QString, changedLine);
        QFETCH(QPoint, undone);
        QFETCH(QPoint, redone);
        WindowHarness h;
        QString page;
        for (int i = 1; i <= 300; ++i)
            page += QStringLiteral("<P>line %1</P>\n").arg(i);
        QVERIFY(h.files().openFile(h.t.writeFile(QStringLiteral("page.htm"), page.toUtf8())));
        SourceEditor &ed = h.editor();
        h.window().activateWindow();
        ed.setFocus();
        ed.setRow(199);
        if (command == QLatin1String("wrap")) {
            QTest::keyClick(&ed, Qt::Key_End);
            QTest::keyClick(&ed, Qt::Key_Home, Qt::ShiftModifier);
            QTest::keyClick(&ed, Qt::Key_B, Qt::ControlModifier);
        } else if (command == QLatin1String("entity")) {
            QTest::keyClick(&ed, Qt::Key_End);
            QTest::sendKeyEvent(QTest::Click, &ed, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
        } else if (command == QLatin1String("table")) {
            QTest::keyClick(&ed, Qt::Key_End);
            whenModalOpens([](QWidget *d) {
                QTest::mouseClick(child(d, QStringLiteral("tableSizeGrid")), Qt::LeftButton, {}, QPoint(22, 7));
            });
            QTest::mousePress(child(&h.window(), QStringLiteral("quickTableButton")), Qt::LeftButton);
            QTRY_VERIFY(ed.sourceDocument().text().contains(QStringLiteral("</TABLE>")));
        } else if (command == QLatin1String("replaceAll")) {
            QTest::keyClick(&ed, Qt::Key_R, Qt::ControlModifier);
            ReplaceDialog *dialog = h.window().search()->replaceDialog();
            QVERIFY(dialog && dialog->isVisible());
            QTest::keyClicks(child<QLineEdit>(dialog, QStringLiteral("searchText")), QStringLiteral("line"));
            QTest::keyClicks(child<QLineEdit>(dialog, QStringLiteral("replacementText")), QStringLiteral("row"));
            click(dialog, QStringLiteral("replaceAllButton"));
            QTest::keyClick(dialog, Qt::Key_Escape);
            QVERIFY(ed.sourceDocument().lineText(198).startsWith(QStringLiteral("<P>line")));
        }
        QCOMPARE(ed.sourceDocument().lineText(199), changedLine);
        const QString changed = ed.sourceDocument().text();
        QVERIFY(changed != page);
        ed.setFocus();
        QTest::keyClick(&ed, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed.sourceDocument().text(), page);
        QCOMPARE(QPoint(ed.col(), ed.row()), undone);
        QVERIFY(ed.viewport()->rect().contains(ed.cursorRect().center()));
        QTest::keyClick(&ed, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ed.sourceDocument().text(), changed);
        QCOMPARE(QPoint(ed.col(), ed.row()), redone);
        QVERIFY(ed.viewport()->rect().contains(ed.cursorRect().center()));
        // Redo is there while there is something to redo, under either of its keys.
        QAction *redo = h.action("actionRedo");
        QVERIFY(!redo->isEnabled());
        QTest::keyClick(&ed, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(redo->isEnabled());
        QTest::keyClick(&ed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ed.sourceDocument().text(), changed);
        QVERIFY(!redo->isEnabled());
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
