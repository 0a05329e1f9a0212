#include "common/windowharness.h"
#include "editor/searchcommands.h"
#include "editor/tagtoolbar.h"
#include "tools/spellcheckdialog.h"
#include "tools/tooltexts.h"
#include "tools/toolcommands.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

// Runs `fill` on the modal dialog `name` as soon as it is open.
void whenOpen(const QString &name, std::function<void(QWidget *)> fill) {
    QTimer::singleShot(0, [name, fill] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w->objectName() != name) {
            whenOpen(name, fill);
            return;
        }
        fill(w);
    });
}

template <typename T> T *child(QWidget *w, const char *name) {
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}

void click(QWidget *w, const char *name) { child<QAbstractButton>(w, name)->click(); }

} // namespace

class TestToolCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preferencesOkWritesAndApplies();
    void cancelKeepsImmediateValues();
    void backupFollowsSettingsFromStart();
    void userButtons();
    void launcherRunsWithoutShellAndNamesWhatFails();
    void spellCheckDocument();
    void addToDictionaryKeepsTheWord();
    void spellingShowsTheWordInAWrappedLine_data();
    void spellingShowsTheWordInAWrappedLine();
    void spellingStopsWhenTheTextChangesWhileItWaits_data();
    void spellingStopsWhenTheTextChangesWhileItWaits();
};

void TestToolCommands::preferencesOkWritesAndApplies() {
    WindowHarness h;
    whenOpen(QStringLiteral("preferencesDialog"), [](QWidget *d) {
        child<QCheckBox>(d, "wordWrap")->setChecked(true);
        auto *size = child<QComboBox>(d, "fontSize");
        size->setCurrentIndex(size->findText(QStringLiteral("15")));
        Q_EMIT size->activated(size->currentIndex());
        for (const char *ext : {"html", "exe", "p-x", "HTM", "ph3"}) {
            child<QLineEdit>(d, "htmlExtension")->setText(QLatin1String(ext));
            click(d, "htmlAdd");
        }
        child<QCheckBox>(d, "backupEnabled")->setChecked(true);
        child<QSpinBox>(d, "backupMinutes")->setValue(7);
        child<QLineEdit>(d, "launcherCommand1")->setText(QStringLiteral("xterm"));
        child<QLineEdit>(d, "launcherTitle2")->setText(QStringLiteral("Gimp"));
        child<QLineEdit>(d, "launcherCommand2")->setText(QStringLiteral("gimp"));
        click(d, "okButton");
    });
    h.window().tools()->openPreferences();

    const AppSettings &s = h.t.ctx.settings;
    QCOMPARE(h.t.prompts.messages(),
             (QStringList{"Executable are not allowed.",
                          "Please do not use special characters in the extension."}));
    QCOMPARE(s.htmlMask, QStringLiteral("*.htm;*.shtm;*.css;*.html;*.ph3;"));
    QCOMPARE(s.launcherTitles[0], MarkerEmpty);
    QCOMPARE(s.launcherCommands[1], QStringLiteral("gimp"));
    QCOMPARE(h.editor().lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(h.editor().font().pointSize(), 15);
    QVERIFY(h.files().backupTimer()->isActive());
    QCOMPARE(h.files().backupTimer()->interval(), 7 * 60000);
    const QByteArray ini = h.t.settingsBytes();
    QVERIFY(ini.contains("HTMLMask=*.htm;*.shtm;*.css;*.html;*.ph3;"));
    QVERIFY(ini.contains("wordwrap=1"));
    QVERIFY(ini.contains("App2Title=Gimp"));
}

void TestToolCommands::cancelKeepsImmediateValues() {
    WindowHarness h("[Options]\ntotd=0\nfontsize=10\n");
    const int before = h.editor().font().pointSize();
    whenOpen(QStringLiteral("preferencesDialog"), [](QWidget *d) {
        auto *size = child<QComboBox>(d, "fontSize");
        size->setCurrentIndex(size->findText(QStringLiteral("14")));
        Q_EMIT size->activated(size->currentIndex());
        auto *dict = child<QComboBox>(d, "dictionary");
        dict->setEditText(QStringLiteral("klingon.vtd"));
        Q_EMIT dict->lineEdit()->editingFinished();
        click(d, "cancelButton");
    });
    h.window().tools()->openPreferences();
    QCOMPARE(h.t.ctx.settings.fontSize, 14);
    QCOMPARE(h.editor().font().pointSize(), before);
    QCOMPARE(h.t.prompts.messages(), QStringList{"klingon.vtd is not a valid dictionary."});
    QVERIFY(!h.t.ctx.settings.installDictionaryAtStart);

    // A listed dictionary is installed at the next start, whatever the dialog's end.
    h.t.writeFile(QStringLiteral("install/British.vtd"), "en_GB\n");
    whenOpen(QStringLiteral("preferencesDialog"), [](QWidget *d) {
        auto *dict = child<QComboBox>(d, "dictionary");
        QCOMPARE(dict->findText(QStringLiteral("british.vtd")), 0);
        dict->setEditText(QStringLiteral("british.vtd"));
        Q_EMIT dict->lineEdit()->editingFinished();
        click(d, "cancelButton");
    });
    h.window().tools()->openPreferences();
    QVERIFY(h.t.ctx.settings.installDictionaryAtStart);
}

void TestToolCommands::backupFollowsSettingsFromStart() {
    WindowHarness h("[Options]\ntotd=0\nbackup=1\nbackuptime=3\n");
    QTimer *timer = h.files().backupTimer();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 3 * 60000);
    timer->stop();
    // Merely opening the dialog starts it again, even when cancelled.
    whenOpen(QStringLiteral("preferencesDialog"), [](QWidget *d) { click(d, "cancelButton"); });
    h.window().tools()->openPreferences();
    QVERIFY(timer->isActive());
}

void TestToolCommands::userButtons() {
    WindowHarness h("[Options]\ntotd=0\n[Buttons]\nbtext1=Old\n");
    TagToolbar *bar = h.window().tagToolbar();
    whenOpen(QStringLiteral("customButtonsDialog"), [](QWidget *d) {
        child<QSpinBox>(d, "buttonNumber")->setValue(2);
        QTest::keyClicks(child<QLineEdit>(d, "buttonCaption"), QStringLiteral("Bold"));
        QTest::keyClicks(child<QLineEdit>(d, "buttonStart"), QStringLiteral("<B>"));
        QTest::keyClicks(child<QLineEdit>(d, "buttonEnd"), QStringLiteral("</B>"));
        click(d, "okButton");
    });
    h.window().tools()->openCustomButtons();
    QCOMPARE(bar->userButton(1)->text(), QStringLiteral("Bold"));
    QVERIFY(h.t.settingsBytes().contains("tagstart2=<B>"));

    h.editor().sourceDocument().setText(QStringLiteral("one two"));
    h.editor().setSelection(4, 3);
    bar->userButton(1)->click();
    QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("one <B>two</B>"));

    // Cancel: the typed caption is in memory (saved at exit), the toolbar keeps the old one.
    whenOpen(QStringLiteral("customButtonsDialog"), [](QWidget *d) {
        auto *caption = child<QLineEdit>(d, "buttonCaption");
        caption->clear();
        QTest::keyClicks(caption, QStringLiteral("New"));
        click(d, "cancelButton");
    });
    h.window().tools()->openCustomButtons();
    QCOMPARE(h.t.ctx.settings.buttonCaptions[0], QStringLiteral("New"));
    QCOMPARE(bar->userButton(0)->text(), QStringLiteral("Old"));

    // Text pasted from the field's menu counts as typed text does.
    QGuiApplication::clipboard()->setText(QStringLiteral("</EM>"));
    whenOpen(QStringLiteral("customButtonsDialog"), [](QWidget *d) {
        auto *end = child<QLineEdit>(d, "buttonEnd");
        std::unique_ptr<QMenu> menu(end->createStandardContextMenu());
        for (QAction *a : menu->actions())
            if (a->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Paste")))
                a->trigger();
        click(d, "okButton");
    });
    h.window().tools()->openCustomButtons();
    QVERIFY(h.t.settingsBytes().contains("tagend1=</EM>"));
}

void TestToolCommands::launcherRunsWithoutShellAndNamesWhatFails() {
    WindowHarness h;
    AppSettings &s = h.t.ctx.settings;
    ToolCommands *tools = h.window().tools();
    QMenu *launcher = h.menu("menuApplicationLauncher");
    Q_EMIT launcher->aboutToShow();
    const QList<QAction *> items = launcher->actions();
    QCOMPARE(items.size(), 4);
    QVERIFY(items[0]->isVisible());
    QVERIFY(!items[1]->isVisible());
    QVERIFY(!tools->startLauncherSlot(0)); // "[empty]" does nothing

    const QString dir = h.t.path(QStringLiteral("runs"));
    QDir().mkpath(dir);
    s.launcherTitles = {QStringLiteral("Quoted"), QStringLiteral("Semicolon"),
                        QStringLiteral("Substitution"), QStringLiteral("Pipe")};
    s.launcherCommands = {QStringLiteral("touch \"%1/ran ok\"").arg(dir),
                          QStringLiteral("true; touch %1/second").arg(dir),
                          QStringLiteral("true $(touch %1/third)").arg(dir),
                          QStringLiteral("true x | touch %1/fourth").arg(dir)};
    Q_EMIT launcher->aboutToShow();
    QVERIFY(items[3]->isVisible());
    QCOMPARE(items[1]->text(), QStringLiteral("Semicolon"));
    for (int i = 0; i < 4; ++i)
        items[i]->trigger();
    QTRY_VERIFY(QFileInfo::exists(dir + QStringLiteral("/ran ok")));
    QTest::qWait(300);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"ran ok"});
    // A program that is missing or cannot run is named, with the reason.
    const QString missing = QString::fromLocal8Bit(std::strerror(ENOENT));
    s.launcherCommands[2] = h.t.writeFile(QStringLiteral("not-a-program"), "text");
    QVERIFY(!tools->startLauncherSlot(2));
    QCOMPARE(h.t.prompts.messages(),
             (QStringList{"The program \"true;\" could not be started: " + missing + ".",
                          "The program \"" + s.launcherCommands[2] +
                              "\" could not be started: " +
                              QString::fromLocal8Bit(std::strerror(EACCES)) + "."}));
}

void TestToolCommands::spellCheckDocument() {
    WindowHarness h;
    h.t.ctx.paths.installDir = QStringLiteral(MARLO_SHARE_DIR); // holds american.vtd
    SourceEditor &ed = h.editor();
    ed.sourceDocument().setText(QStringLiteral(
        "Ths is <b title=\"wrng\">good</b> text <!-- bda --> in a caf&eacute; near\n"
        "me@exmple.com and http://www.exmple.com/x.htm tday, tday."));
    QStringList asked;
    QStringList script{"Ths:This", "I", "tday:today!"};
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        SpellCheckDialog *d = h.window().tools()->spellCheckDialog();
        if (!d || !d->isVisible() || script.isEmpty())
            return;
        const QString word = child<QLineEdit>(d, "notFound")->text();
        asked << word + QLatin1Char('=') + ed.selectedText();
        QVERIFY(child<QListWidget>(d, "suggestions")->count() > 0);
        const QString step = script.takeFirst();
        if (step == QLatin1String("I"))
            return click(d, "ignoreButton");
        child<QLineEdit>(d, "replaceWith")->setText(step.section(QLatin1Char(':'), 1).remove(QLatin1Char('!')));
        click(d, step.endsWith(QLatin1Char('!')) ? "replaceAllButton" : "replaceButton");
    });
    answerer.start(20);
    h.window().tools()->checkSpelling();
    answerer.stop();
    QCOMPARE(asked, (QStringList{"Ths=Ths", "café=caf&eacute;", "tday=tday"}));
    QCOMPARE(ed.sourceDocument().text(),
             QStringLiteral(
                 "This is <b title=\"wrng\">good</b> text <!-- bda --> in a caf&eacute; near\n"
                 "me@exmple.com and http://www.exmple.com/x.htm today, today."));
    QCOMPARE(h.t.prompts.messages(), QStringList{"Spell checking completed."});
    QVERIFY(!h.window().tools()->spellCheckDialog()->isVisible());
    // Replace All is one undo step, and the check left no other.
    QTest::keyClick(&ed, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ed.sourceDocument().text(),
             QStringLiteral(
                 "This is <b title=\"wrng\">good</b> text <!-- bda --> in a caf&eacute; near\n"
                 "me@exmple.com and http://www.exmple.com/x.htm tday, tday."));
}

// The user's words are kept in the data folder, read when spelling starts and added to by
// "Add to dictionary".
void TestToolCommands::addToDictionaryKeepsTheWord() {
    WindowHarness h;
    h.t.ctx.paths.installDir = QStringLiteral(MARLO_SHARE_DIR);
    const QString list = h.t.writeFile("data/personal-words.txt", "Marlo\r\n\n");
    SourceEditor &ed = h.editor();
    ed.sourceDocument().setText(QStringLiteral("Marlo wrks, wrks."));
    QStringList asked;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        SpellCheckDialog *d = h.window().tools()->spellCheckDialog();
        if (!d || !d->isVisible() || asked.size() > 3)
            return;
        asked << child<QLineEdit>(d, "notFound")->text();
        click(d, "addToDictionaryButton");
    });
    answerer.start(20);
    h.window().tools()->checkSpelling();
    answerer.stop();
    QCOMPARE(asked, QStringList{"wrks"});
    QCOMPARE(h.t.readFile(list), QByteArray("Marlo\nwrks\n"));
    QCOMPARE(ed.sourceDocument().text(), QStringLiteral("Marlo wrks, wrks."));
}

void TestToolCommands::spellingShowsTheWordInAWrappedLine_data() {
    QTest::addColumn<int>("wordsBefore");
    QTest::addColumn<int>("wordsAfter");
    QTest::newRow("in the middle") << 3000 << 3000;
    QTest::newRow("at the end") << 3000 << 0;
}

void TestToolCommands::spellingShowsTheWordInAWrappedLine() {
    QFETCH(int, wordsBefore);
    QFETCH(int, wordsAfter);
    WindowHarness h;
    h.t.ctx.paths.installDir = QStringLiteral(MARLO_SHARE_DIR);
    SourceEditor &ed = h.editor();
    ed.setWordWrap(true);
    ed.sourceDocument().setText(QStringLiteral("good ").repeated(wordsBefore) + QStringLiteral("wrng ") +
                       QStringLiteral("good ").repeated(wordsAfter));
    QList<bool> shown;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        SpellCheckDialog *d = h.window().tools()->spellCheckDialog();
        if (!d || !d->isVisible() || shown.size() > 3)
            return;
        shown << ed.viewport()->rect().contains(ed.cursorRect());
        click(d, "ignoreButton");
    });
    answerer.start(20);
    h.window().tools()->checkSpelling();
    answerer.stop();
    QCOMPARE(shown, QList<bool>{true});
}

// The window stays usable while the check waits for an answer; a command that changes the page
// meanwhile moves the words the check knows of. The check stops there instead of writing its
// answer over what is now in that place.
void TestToolCommands::spellingStopsWhenTheTextChangesWhileItWaits_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Bold on the selected word") << "bold" << "<P><B>Ths</B> is wrng.</P>";
    QTest::newRow("Replace All") << "replace all" << "<P>Ths is wrong.</P>";
    QTest::newRow("undo of a replacement") << "undo" << "<P>Ths is wrng.</P>";
}

void TestToolCommands::spellingStopsWhenTheTextChangesWhileItWaits() {
    QFETCH(QString, command);
    QFETCH(QString, expected);
    WindowHarness h;
    h.t.ctx.paths.installDir = QStringLiteral(MARLO_SHARE_DIR);
    SourceEditor &ed = h.editor();
    ed.sourceDocument().setText(QStringLiteral("<P>Ths is wrng.</P>"));
    int asked = 0;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        SpellCheckDialog *d = h.window().tools()->spellCheckDialog();
        if (!d || !d->isVisible() || asked > 2)
            return;
        ++asked;
        if (command == QLatin1String("undo") && asked == 1) {
            child<QLineEdit>(d, "replaceWith")->setText(QStringLiteral("This"));
            return click(d, "replaceButton");
        }
        if (command == QLatin1String("bold")) {
            for (QToolButton *b : h.window().tagToolbar()->findChildren<QToolButton *>())
                if (b->toolTip() == QLatin1String("Bold Face"))
                    b->click();
        } else if (command == QLatin1String("replace all")) {
            ed.setSelection(0, 0);
            h.window().search()->replace(QStringLiteral("wrng"), QStringLiteral("wrong"), true);
        } else {
            h.action(QStringLiteral("actionUndo"))->trigger();
        }
        child<QLineEdit>(d, "replaceWith")->setText(QStringLiteral("XXXX"));
        click(d, "replaceButton");
    });
    answerer.start(20);
    h.window().tools()->checkSpelling();
    answerer.stop();
    QCOMPARE(ed.sourceDocument().text(), expected);
    QCOMPARE(h.t.prompts.messages(), QStringList{SpellTexts::TextChangedMeanwhile});
    QVERIFY(!h.window().tools()->spellCheckDialog()->isVisible());
    QVERIFY(!ed.isReadOnly());
}

QTEST_MAIN(TestToolCommands)
#include "tst_toolcommands.moc"
