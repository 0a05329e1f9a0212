#include "common/windowharness.h"
#include "editor/completioncontroller.h"
#include "editor/completionpopup.h"
#include "editor/sourceeditor.h"
#include "shell/appsettings.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"
#include "tools/toolcommands.h"

#include <QCheckBox>
#include <QtTest>

namespace {

// Key presses into the editor: characters as typed, "{Name}" for the keys that are no text.
void press(QWidget *w, const QString &keys) {
    static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("Tab"), {Qt::Key_Tab, Qt::NoModifier}},
        {QStringLiteral("Esc"), {Qt::Key_Escape, Qt::NoModifier}},
        {QStringLiteral("Up"), {Qt::Key_Up, Qt::NoModifier}},
        {QStringLiteral("Down"), {Qt::Key_Down, Qt::NoModifier}},
        {QStringLiteral("PgDn"), {Qt::Key_PageDown, Qt::NoModifier}},
        {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
        {QStringLiteral("BS"), {Qt::Key_Backspace, Qt::NoModifier}},
        {QStringLiteral("Undo"), {Qt::Key_Z, Qt::ControlModifier}},
    };
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == u'{') {
            const qsizetype end = keys.indexOf(u'}', i);
            const auto key = named.value(keys.mid(i + 1, end - i - 1));
            QTest::keyClick(w, key.first, key.second);
            i = end;
        } else {
            QTest::keyClicks(w, QString(keys.at(i)));
        }
    }
}

QString shownItems(const CompletionController &c) {
    if (!c.isListShown())
        return QStringLiteral("-");
    QStringList items;
    for (int i = 0; i < c.popup()->count(); ++i)
        items << c.popup()->item(i)->text();
    return items.join(u' ');
}

QString textWithCaret(const SourceEditor &ed) {
    return ed.sourceDocument().text().insert(ed.selectionStart(), u'|');
}

} // namespace

class TestCompletion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void preferenceTurnsItOff();
};

void TestCompletion::typing_data() {
    QTest::addColumn<QString>("page");    // "|" marks the caret
    QTest::addColumn<QString>("keys");    // typed first
    QTest::addColumn<QString>("offered"); // the list then, "-" for none
    QTest::addColumn<QString>("more");    // typed next
    QTest::addColumn<QString>("result");  // without "|" the caret is not compared

    QTest::newRow("tag names after < and a letter, upper case")
        << "|" << "<t" << "TABLE TBODY TD TEXTAREA TFOOT TH THEAD TITLE TR TT" << "a{Enter}"
        << "<TABLE|";
    QTest::newRow("a page in lower case gets lower case")
        << "<html>\n|" << "<ti" << "title" << "{Tab}" << "<html>\n<title|";
    QTest::newRow("attributes of the tag, minus those present on either side")
        << "<IMG| SRC=\"a.gif\">" << " "
        << "ALIGN ALT ISMAP WIDTH HEIGHT BORDER VSPACE HSPACE LOWSRC USEMAP VRML" << "al{Down}{Enter}"
        << "<IMG ALT=\"|\" SRC=\"a.gif\">";
    QTest::newRow("attribute of a lower-case tag, then its values")
        << "<img |>" << "al" << "align alt" << "{Enter}{Down}{Enter}" << "<img align=\"middle\"|>";
    QTest::newRow("values after =\" close the quotes")
        << "<FORM METHOD=|>" << "\"" << "POST GET" << "g{Tab}" << "<FORM METHOD=\"GET\"|>";
    QTest::newRow("colours include the ones used before")
        << "<BODY TEXT=|>" << "\"" << "blue fuchsia green yellow white teal purple "
        "olive lime black aqua gray maroon navy red silver #123456" << "#{Enter}"
        << "<BODY TEXT=\"#123456\"|>";
    QTest::newRow("a flag attribute goes in bare")
        << "<TD |>" << "now" << "NOWRAP" << "{Enter}" << "<TD NOWRAP|>";
    QTest::newRow("close the innermost open element")
        << "<TABLE><TR><TD>x|" << "</" << "TD" << "{Enter}" << "<TABLE><TR><TD>x</TD>|";
    QTest::newRow("closing passes over empty elements, comments and closed elements")
        << "<DIV>\n<B>x</B><BR><IMG SRC=\"a\"><!-- <I> -->|" << "</" << "DIV" << "{Enter}"
        << "<DIV>\n<B>x</B><BR><IMG SRC=\"a\"><!-- <I> --></DIV>|";
    QTest::newRow("an item usually left open offers the element around it too")
        << "<ul>\n<li>one\n<li>two\n|" << "</" << "li ul" << "{Down}{Enter}"
        << "<ul>\n<li>one\n<li>two\n</ul>|";
    QTest::newRow("entities with their characters")
        << "caf|" << "&eac" << "&eacute; &Eacute;" << "{Enter}" << "caf&eacute;|";
    QTest::newRow("nothing inside a comment")
        << "<!-- |" << "<ta" << "-" << "{Enter}" << "<!-- <ta\n|";
    QTest::newRow("nothing far inside a long comment")
        << "<!-- " + QString(3000, u'x') + " | -->" << "<t" << "-" << ""
        << "<!-- " + QString(3000, u'x') + " <t| -->";
    QTest::newRow("nothing in plain text") << "Hello |" << "ta b" << "-" << "" << "Hello ta b|";
    QTest::newRow("nothing in a value of another kind")
        << "<A HREF=\"|\">" << "x&a" << "-" << "" << "<A HREF=\"x&a|\">";
    QTest::newRow("Escape closes; letters go on into the page")
        << "|" << "<ta{Esc}b" << "-" << "{Enter}" << "<tab\n|";
    QTest::newRow("a list that fits no more closes") << "|" << "<tx" << "-" << "" << "<tx|";
    QTest::newRow("Backspace follows the typing")
        << "|" << "<tr{BS}" << "TABLE TBODY TD TEXTAREA TFOOT TH THEAD TITLE TR TT"
        << "{PgDn}{Enter}" << "<TITLE|";
    QTest::newRow("undo takes a completion out in one step")
        << "<P>|" << "<ta{Enter}" << "-" << "{Undo}" << "<P><ta";
}

void TestCompletion::typing() {
    QFETCH(QString, page);
    QFETCH(QString, keys);
    QFETCH(QString, offered);
    QFETCH(QString, more);
    QFETCH(QString, result);
    AppSettings settings;
    readSettings(IniStore(), settings); // the fixed colours
    settings.colorList[AppSettings::FixedColorCount] = QStringLiteral("#123456");
    SourceEditor ed;
    auto *completion = new CompletionController(&ed, settings);
    ed.resize(600, 300);
    ed.show();
    const int caret = int(page.indexOf(u'|'));
    ed.sourceDocument().setText(page.remove(caret, 1));
    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    ed.setSelection(caret, 0);

    press(&ed, keys);
    QCOMPARE(shownItems(*completion), offered);
    press(&ed, more);
    QCOMPARE(result.contains(u'|') ? textWithCaret(ed) : ed.sourceDocument().text(), result);
    QCOMPARE(completion->isListShown(), false);
}

void TestCompletion::preferenceTurnsItOff() {
    WindowHarness h;
    auto *completion = h.editor().findChild<CompletionController *>();
    QVERIFY(completion);
    press(&h.editor(), QStringLiteral("<b"));
    QVERIFY(completion->isListShown());
    press(&h.editor(), QStringLiteral("{Esc}{BS}{BS}"));

    QTimer::singleShot(0, [] {
        QWidget *d = QApplication::activeModalWidget();
        d->findChild<QCheckBox *>(QStringLiteral("completeWhileTyping"))->setChecked(false);
        d->findChild<QAbstractButton *>(QStringLiteral("okButton"))->click();
    });
    h.window().tools()->openPreferences();
    QVERIFY(h.t.settingsBytes().contains("autocomplete=0"));
    press(&h.editor(), QStringLiteral("<b"));
    QVERIFY(!completion->isListShown());
}

QTEST_MAIN(TestCompletion)
#include "tst_completion.moc"
