// The table, form, font, list and frame commands from the main window's toolbar and menu, as a
// new user takes them: each dialog filled and confirmed, the result checked in the document.
#include "common/dialogdriver.h"
#include "common/windowharness.h"
#include "wizards/layoutcommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace {

void pressToolButton(MainWindow &w, const QString &name) {
    click(&w, name);
}

} // namespace

class TestLayoutCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tableEditorInsertsBelowTheCaretLine() {
        WindowHarness h;
        h.type("<BODY>\n</BODY>");
        h.editor().setSelection(2, 0);
        whenModalOpens([](QWidget *d) {
            typeNumber(d, QStringLiteral("columns"), 3); // refused: counted with the buttons
            child<QSpinBox>(d, QStringLiteral("columns"))->stepBy(2);
            child<QSpinBox>(d, QStringLiteral("rows"))->stepBy(1);
            QTest::keyClicks(child<QLineEdit>(d, QStringLiteral("caption")), "Menu");
            auto *grid = child<QTableWidget>(d, QStringLiteral("cellGrid"));
            grid->setItem(0, 2, new QTableWidgetItem(QStringLiteral("tea")));
            grid->setCurrentCell(0, 2);
            child<QComboBox>(d, QStringLiteral("cellBgcolor"))->setCurrentText("yellow");
            grid->setCurrentCell(1, 0);
            typeNumber(d, QStringLiteral("colspan"), 2);
        });
        h.action("actionTableEditor")->trigger();
        QTRY_VERIFY(h.editor().sourceDocument().text().contains(QStringLiteral("</TABLE>")));
        QCOMPARE(h.editor().sourceDocument().text(),
                 QStringLiteral("<BODY>\n<TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" WIDTH=\"0\" "
                                "HEIGHT=\"0\" BORDER=\"0\">\n       <CAPTION>Menu</CAPTION>\n"
                                "<TR>\n\t<TD></TD>\n\t<TD></TD>\n\t<TD BGCOLOR=\"yellow\">tea</TD>\n"
                                "</TR>\n<TR>\n\t<TD COLSPAN=\"2\"></TD>\n\t<TD></TD>\n\t<TD></TD>\n"
                                "</TR>\n</TABLE>\n</BODY>\n "));
    }

    void quickTableThenTypingFillsTheFirstCell() {
        WindowHarness h;
        whenModalOpens([](QWidget *d) {
            QTest::mouseClick(child(d, QStringLiteral("tableSizeGrid")), Qt::LeftButton, {},
                              QPoint(22, 7));
        });
        QTest::mousePress(child(&h.window(), QStringLiteral("quickTableButton")), Qt::LeftButton);
        QTRY_VERIFY(h.editor().sourceDocument().text().contains(QStringLiteral("</TABLE>")));
        h.type("x");
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("\n<TABLE>\n<TR>\n\t<TD>x</TD>\n\t<TD></TD>\n"
                                                   "</TR>\n</TABLE>\n "));
    }

    // Each form element and the two fonts from their toolbar buttons, with "go" selected: it
    // ends up inside the elements that have an end tag, behind the others.
    void formElementsAndFonts_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("form") << "formButton" << "action" << "send.cgi"
                              << "<FORM ACTION=\"send.cgi\">go</FORM>";
        QTest::newRow("text input") << "textInputButton" << "name" << "who"
                                    << "<INPUT TYPE=\"TEXT\" NAME=\"who\" VALUE=\"\" SIZE=\"0\" "
                                       "MAXLENGTH=\"0\">go";
        QTest::newRow("textarea") << "textAreaButton" << "name" << "msg"
                                  << "<TEXTAREA NAME=\"msg\" ROWS=\"0\" COLS=\"0\">go</TEXTAREA>";
        QTest::newRow("checkbox") << "checkboxButton" << "name" << "ok"
                                  << "<INPUT TYPE=CHECKBOX NAME=\"ok\" VALUE=\"ON\">go";
        QTest::newRow("radio") << "radioButtonButton" << "name" << "r"
                               << "<INPUT TYPE=\"RADIO\" NAME=\"r\" VALUE=\"OFF\">go";
        QTest::newRow("font, two faces")
            << "quickFontButton" << "face" << "DejaVu Sans|altFace2=DejaVu Serif"
            << "<FONT FACE=\"DejaVu Sans, DejaVu Serif\">go</FONT>";
        QTest::newRow("basefont") << "baseFontButton" << "fontSize" << "3"
                                  << "<BASEFONT SIZE=\"3\">go";
    }
    void formElementsAndFonts() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        WindowHarness h;
        h.type("go");
        h.editor().setSelection(0, 2);
        whenModalOpens([field, value](QWidget *d) {
            QString name = field;
            for (const QString &pair : value.split(u'|')) {
                const QString text = pair.contains(u'=') ? pair.section(u'=', 1) : pair;
                if (pair.contains(u'='))
                    name = pair.section(u'=', 0, 0);
                if (auto *combo = d->findChild<QComboBox *>(name))
                    combo->setCurrentText(text);
                else
                    QTest::keyClicks(child<QLineEdit>(d, name), text);
            }
        });
        pressToolButton(h.window(), button);
        QTRY_COMPARE(h.editor().sourceDocument().text(), expected);
    }

    void listsLeaveTheCaretInTheFirstItem_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("drop-down list")
            << "dropDownListButton"
            << "\n<SELECT NAME=\"\">\n   <OPTION SELECTED>a\n   <OPTION>\n   <OPTION>\n</SELECT>\n ";
        QTest::newRow("quick list") << "quickListButton"
                                    << "\n<OL>\n\t<LI>a\n\t<LI>\n\t<LI>\n</OL>\n ";
        QTest::newRow("definition list") << "quickDefinitionListButton"
                                         << "\n<DL>\n\t<DT>a<DD>\n\t<DT><DD>\n\t<DT><DD>\n</DL>\n ";
    }
    void listsLeaveTheCaretInTheFirstItem() {
        QFETCH(QString, button);
        QFETCH(QString, expected);
        WindowHarness h;
        whenModalOpens([](QWidget *d) {
            if (auto *ordered = d->findChild<QRadioButton *>(QStringLiteral("ordered")))
                ordered->setChecked(true);
            auto *count = d->findChild<QSpinBox *>(QStringLiteral("items"));
            if (!count)
                count = child<QSpinBox>(d, QStringLiteral("options"));
            count->stepBy(2);
        });
        pressToolButton(h.window(), button);
        QTRY_VERIFY(h.editor().sourceDocument().text().size() > 10);
        h.type("a");
        QCOMPARE(h.editor().sourceDocument().text(), expected);
    }

    // Ctrl+E ("Edit <...> tag...") on a selected start tag: the dialog shows its attributes
    // and Ok puts the new start tag in its place; the end tag stays.
    void editingTagsInPlace_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("font") << "<font size=2 face=\"Arial, Courier\">x</font>" << "altFace1"
                              << "Courier" << "<FONT SIZE=\"+1\" FACE=\"Arial, Courier\">x</font>";
        QTest::newRow("basefont") << "<BASEFONT SIZE=3 COLOR=\"red\">" << "color" << "red"
                                  << "<BASEFONT COLOR=\"red\" SIZE=\"+1\">";
        QTest::newRow("form") << "<FORM ACTION=\"a.cgi\" METHOD=\"get\">x</FORM>" << "action"
                              << "a.cgi" << "<FORM METHOD=\"GET\" ACTION=\"a.cgi\" ENCTYPE=\"+1\">x</FORM>";
    }
    void editingTagsInPlace() {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        WindowHarness h;
        h.editor().sourceDocument().setText(text);
        h.editor().setSelection(0, int(text.size()));
        QString seen;
        whenModalOpens([&](QWidget *d) {
            auto *combo = d->findChild<QComboBox *>(field);
            seen = combo ? combo->currentText() : child<QLineEdit>(d, field)->text();
            auto *size = d->findChild<QComboBox *>(QStringLiteral("fontSize"));
            QLineEdit *edit = size ? size->lineEdit() : child<QLineEdit>(d, QStringLiteral("enctype"));
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("+1"));
        });
        QTest::keyClick(&h.editor(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(seen, shown);
        QCOMPARE(h.editor().sourceDocument().text(), expected);
    }

    // Three columns, the second split in two, the first widened to 40 %.
    void frameWizardInsertsTheFrameset() {
        WindowHarness h;
        whenModalOpens([](QWidget *d) {
            child<QRadioButton>(d, QStringLiteral("columnsChoice"))->setChecked(true);
            typeNumber(d, QStringLiteral("groupCount"), 3);
            click(d, QStringLiteral("nextButton"));
            typeNumber(d, QStringLiteral("whichGroup"), 2);
            typeNumber(d, QStringLiteral("frameCount"), 2);
            const auto nexts = d->findChildren<QAbstractButton *>(QStringLiteral("nextButton"));
            for (QAbstractButton *b : nexts)
                if (b->isVisible())
                    QTest::mouseClick(b, Qt::LeftButton);
            typeNumber(d, QStringLiteral("widthPercent"), 40);
        });
        h.action("actionFrameWizard")->trigger();
        QTRY_VERIFY(h.editor().sourceDocument().text().contains(QStringLiteral("</FRAMESET>\n")));
        const QString expected = QStringLiteral(
            "\n<FRAMESET ROWS=\"100%\" COLS=\"40%,27%,*\">\n"
            "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">\n"
            "     <FRAMESET ROWS=\"50%,*\">\n");
        QCOMPARE(h.editor().sourceDocument().text().left(expected.size()), expected);
    }
};

QTEST_MAIN(TestLayoutCommands)
#include "tst_layoutcommands.moc"
