#include "common/dialogdriver.h"
#include "common/testcontext.h"
#include "editor/editoperations.h"
#include "editor/sourceeditor.h"
#include "wizards/basefontdialog.h"
#include "wizards/fonttagdialog.h"
#include "wizards/formtagdialog.h"
#include "wizards/framewizard.h"
#include "wizards/numberfield.h"
#include "wizards/quicktabledialog.h"
#include "wizards/tableeditordialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

QString identity(const QString &s) { return s; }

} // namespace

class TestLayoutDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A 3 x 2 table with a caption, one coloured cell (a picked colour) and one spanning cell.
    void tableEditorBuildsTheTable() {
        TestContext t;
        TableEditorDialog dialog(t.ctx, identity);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *grid = child<QTableWidget>(&dialog, QStringLiteral("cellGrid"));
        child<QSpinBox>(&dialog, QStringLiteral("columns"))->stepBy(2);
        child<QSpinBox>(&dialog, QStringLiteral("rows"))->stepBy(1);
        QCOMPARE(grid->columnCount(), 3);
        QCOMPARE(grid->rowCount(), 2);
        QTest::keyClicks(child<QLineEdit>(&dialog, QStringLiteral("caption")), "Prices");
        grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("tea")));

        grid->setCurrentCell(0, 1);
        QCOMPARE(child<QLabel>(&dialog, QStringLiteral("currentColumn"))->text(),
                 QStringLiteral("Current Column: 2"));
        t.prompts.colors.enqueue(QColor(0x12, 0xAB, 0xEF));
        click(&dialog, QStringLiteral("cellBgcolorPick"));

        grid->setCurrentCell(1, 0);
        QCOMPARE(child<QLabel>(&dialog, QStringLiteral("currentRow"))->text(),
                 QStringLiteral("Current Row: 2"));
        // The record of the new cell shows: the colour picked for the other cell is not here.
        QCOMPARE(child<QComboBox>(&dialog, QStringLiteral("cellBgcolor"))->currentText(),
                 QStringLiteral("no"));
        typeNumber(&dialog, QStringLiteral("colspan"), 2);
        // The picked colour became an item of every colour field and a previously used one.
        QVERIFY(child<QComboBox>(&dialog, QStringLiteral("tableBordercolor"))
                    ->findText(QStringLiteral("#12ABEF")) >= 0);
        QCOMPARE(t.ctx.settings.colorList[16], QStringLiteral("#12ABEF"));

        const QStringList block = dialog.block();
        QCOMPARE(block.mid(1, 7),
                 QStringList({"       <CAPTION>Prices</CAPTION>", "<TR>", "\t<TD>tea</TD>",
                              "\t<TD BGCOLOR=\"#12ABEF\"></TD>", "\t<TD></TD>", "</TR>", "<TR>"}));
        QCOMPARE(block.at(8), QStringLiteral("\t<TD COLSPAN=\"2\"></TD>"));
        QCOMPARE(block.size(), 15);
    }

    void tableEditorQuestionsGuardAllCellsAndReset() {
        TestContext t;
        TableEditorDialog dialog(t.ctx, identity);
        child<QSpinBox>(&dialog, QStringLiteral("columns"))->stepBy(1);
        child<QCheckBox>(&dialog, QStringLiteral("nowrap"))->setChecked(true);
        const QStringList before = dialog.block();

        t.prompts.answers << Prompts::Answer::No << Prompts::Answer::No;
        click(&dialog, QStringLiteral("useForAllButton"));
        click(&dialog, QStringLiteral("resetButton"));
        QCOMPARE(dialog.block(), before);

        t.prompts.answers << Prompts::Answer::Yes;
        click(&dialog, QStringLiteral("useForAllButton"));
        QCOMPARE(dialog.block().mid(3, 2),
                 QStringList({"\t<TD NOWRAP></TD>", "\t<TD NOWRAP></TD>"}));

        t.prompts.answers << Prompts::Answer::Yes;
        click(&dialog, QStringLiteral("resetButton"));
        QCOMPARE(dialog.block(),
                 QStringList({"<TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" WIDTH=\"0\" "
                              "HEIGHT=\"0\" BORDER=\"0\">",
                              "       <CAPTION></CAPTION>", "<TR>", "\t<TD></TD>",
                              "</TR>", "</TABLE>", "\\end", "0000"}));
        QCOMPARE(t.prompts.unexpected, 0);
    }

    void tableCountersStopAtTheLimits() {
        TestContext t;
        TableEditorDialog dialog(t.ctx, identity);
        child<QSpinBox>(&dialog, QStringLiteral("columns"))->stepBy(40);
        child<QSpinBox>(&dialog, QStringLiteral("rows"))->stepBy(40);
        QCOMPARE(dialog.content().columns(), 20);
        QCOMPARE(dialog.content().rows(), 30);
    }

    // Picked at the third column of the second row, inserted below the caret's line; typing
    // goes into the first cell.
    void quickTableInsertsBelowTheCaretLine() {
        QuickTableDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(child(&dialog, QStringLiteral("tableSizeGrid")), Qt::LeftButton, {},
                          QPoint(2 * 15 + 7, 15 + 7));
        QCOMPARE(child<QAbstractButton>(&dialog, QStringLiteral("okButton"))->text(),
                 QStringLiteral("3x2"));

        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("<BODY>\n</BODY>"));
        ed.setSelection(3, 0);
        PendingBlock block;
        block.lines = dialog.block();
        block.pending = true;
        applyPendingBlock(ed, block);
        QTest::keyClicks(&ed, QStringLiteral("x"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("<BODY>\n<TABLE>\n<TR>\n\t<TD>x</TD>\n\t<TD></TD>\n"
                                           "\t<TD></TD>\n</TR>\n<TR>\n\t<TD></TD>\n\t<TD></TD>\n"
                                           "\t<TD></TD>\n</TR>\n</TABLE>\n</BODY>\n "));
    }

    void editInPlace_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("shown"); // name=value of a field as filled from the tag
        QTest::addColumn<QString>("expected");
        QTest::newRow("font") << "FONT" << "<FONT COLOR=\"olive\" SIZE=\"+2\" FACE=\"Verdana, Arial\">"
                              << "altFace1=Arial"
                              << "<FONT COLOR=\"olive\" SIZE=\"-1\" FACE=\"Verdana, Arial\">";
        QTest::newRow("basefont with a new colour")
            << "BASEFONT" << "<BASEFONT SIZE=4 COLOR=#A0B0C0>" << "color=#A0B0C0"
            << "<BASEFONT COLOR=\"#A0B0C0\" SIZE=\"-1\">";
        QTest::newRow("form") << "FORM" << "<FORM ACTION=\"mail.cgi\" METHOD=\"get\">"
                              << "action=mail.cgi"
                              << "<FORM METHOD=\"GET\" ACTION=\"mail.cgi\" ENCTYPE=\"-1\">";
    }
    void editInPlace() {
        QFETCH(QString, kind);
        QFETCH(QString, tag);
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        TestContext t;
        const QString field = shown.section(u'=', 0, 0);
        const QString value = shown.section(u'=', 1);
        QString seen;
        whenModalOpens([&](QWidget *dialog) {
            auto *combo = dialog->findChild<QComboBox *>(field);
            seen = combo ? combo->currentText() : child<QLineEdit>(dialog, field)->text();
            // One changed field: the font size, or the form's encoding type.
            const QString changed = kind == QLatin1String("FORM") ? QStringLiteral("enctype")
                                                                  : QStringLiteral("fontSize");
            auto *edit = kind == QLatin1String("FORM")
                             ? child<QLineEdit>(dialog, changed)
                             : child<QComboBox>(dialog, changed)->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("-1"));
        });
        QString result;
        if (kind == QLatin1String("FONT"))
            result = FontTagDialog::editStartTag(t.ctx, tag, nullptr);
        else if (kind == QLatin1String("BASEFONT"))
            result = BaseFontDialog::editStartTag(t.ctx, tag, nullptr);
        else
            result = FormTagDialog::editStartTag(tag, nullptr);
        QCOMPARE(seen, value);
        QCOMPARE(result, expected);
    }

    // Three columns, the middle one split in two, the first column widened, a name chosen;
    // "< Back" keeps what was chosen.
    void frameWizardBuildsTheFrameset() {
        TestContext t;
        FrameWizard::FrameCounts counts;
        counts.fill(1);
        FrameWizard wizard(t.ctx, counts,
                           [](const QString &u) -> QString { return u.isEmpty() ? u : "ref/" + u; });
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        child<QRadioButton>(&wizard, QStringLiteral("columnsChoice"))->setChecked(true);
        typeNumber(&wizard, QStringLiteral("groupCount"), 3);
        wizard.next();
        typeNumber(&wizard, QStringLiteral("whichGroup"), 2);
        typeNumber(&wizard, QStringLiteral("frameCount"), 2);
        QCOMPARE(counts[1], 2);
        wizard.back();
        QCOMPARE(child<QSpinBox>(&wizard, QStringLiteral("groupCount"))->value(), 3);
        wizard.next();
        QCOMPARE(child<QSpinBox>(&wizard, QStringLiteral("frameCount"))->value(), 2);
        wizard.next();
        QCOMPARE(wizard.page(), 2);

        typeNumber(&wizard, QStringLiteral("widthPercent"), 50);
        child<QComboBox>(&wizard, QStringLiteral("url"))->setCurrentText(QStringLiteral("a.htm"));
        // The last column cannot be resized: the field goes back to its percentage.
        auto *boxes = child(&wizard, QStringLiteral("frameBoxes"));
        QTest::mouseClick(boxes, Qt::LeftButton, {}, QPoint(boxes->width() - 5, 5));
        QCOMPARE(child<QLabel>(&wizard, QStringLiteral("currentFrame"))->text(),
                 QStringLiteral("Current frame: 4"));
        typeNumber(&wizard, QStringLiteral("widthPercent"), 10);
        QCOMPARE(child<QSpinBox>(&wizard, QStringLiteral("widthPercent"))->value(), 33);
        child<QComboBox>(&wizard, QStringLiteral("frameName"))->setCurrentText(
            QStringLiteral("_top"));

        QCOMPARE(wizard.block(),
                 QStringList({"<FRAMESET ROWS=\"100%\" COLS=\"50%,17%,*\">",
                              "          <FRAME NAME=\"FRAME1\" SRC=\"ref/a.htm\" SCROLLING=\"AUTO\">",
                              "     <FRAMESET ROWS=\"50%,*\">",
                              "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">",
                              "          <FRAME NAME=\"FRAME3\" SRC=\"\" SCROLLING=\"AUTO\">",
                              "     </FRAMESET>",
                              "          <FRAME NAME=\"_top\" SRC=\"\" SCROLLING=\"AUTO\">",
                              "</FRAMESET>", "\\end", "0000"}));
    }
};

QTEST_MAIN(TestLayoutDialogs)
#include "tst_layoutdialogs.moc"
