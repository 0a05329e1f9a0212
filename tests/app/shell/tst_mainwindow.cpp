// Start and exit of the main window, its layout modes, and the command line.
#include "shell/windowlayout.h"
#include "common/windowharness.h"
#include "shell/commandtable.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>

namespace {

// The letter after a single "&" of a menu text, lower-cased; none for "&&" or no "&".
QChar mnemonic(const QString &text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toLower();
        ++i;
    }
    return QChar();
}

// Every text an item of a built menu can show: all states of a command of the table, else
// what it shows now (a submenu's title, a file name).
QStringList textsOf(const QAction *item) {
    if (const CommandSpec *c = findCommand(item->objectName()))
        return c->texts;
    return {item->text()};
}

// "Menu: &Item, It&em" for every letter two items of one menu share.
void sharedMnemonics(const QString &menu, const QList<QAction *> &items, QStringList *out) {
    QMap<QChar, QStringList> byLetter;
    for (const QAction *item : items) {
        QSet<QChar> letters;
        for (const QString &text : textsOf(item))
            if (!mnemonic(text).isNull() && !letters.contains(mnemonic(text))) {
                letters.insert(mnemonic(text));
                byLetter[mnemonic(text)] << text;
            }
    }
    for (const QStringList &texts : std::as_const(byLetter))
        if (texts.size() > 1)
            out->append(menu + QStringLiteral(": ") + texts.join(QStringLiteral(", ")));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A letter that two items of one menu share opens neither with Alt: the menu bar and every
    // menu of the command table give each letter to one item, in every state of the items.
    void menusGiveEachLetterToOneItem() {
        WindowHarness h;
        QStringList shared;
        sharedMnemonics(QStringLiteral("menu bar"), h.window().menuBar()->actions(), &shared);
        for (const MenuSpec &spec : menuTable())
            sharedMnemonics(spec.id, h.menu(spec.id)->actions(), &shared);
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral("; "))));
    }

    // A key that two commands share runs neither (Qt reports it as ambiguous): each key of the
    // command table belongs to one command (a key only shown beside a menu text aside).
    void eachKeyRunsOneCommand() {
        QMap<QKeySequence, QStringList> byKey;
        for (const CommandSpec &c : commandTable())
            if (c.twinOf.isEmpty() && !(c.flags & CommandSpec::KeyShownOnly))
                for (const QKeySequence &k : c.keys)
                    if (!k.isEmpty())
                        byKey[k] << c.id;
        QStringList shared;
        for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
            if (it.value().size() > 1)
                shared << it.key().toString() + QStringLiteral(": ") + it.value().join(u',');
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral("; "))));
    }

    void answeringNoToExitLeavesEverythingAlone() {
        WindowHarness h("[Options]\ntotd=0\nfontsize=11\n");
        const QByteArray before = h.t.settingsBytes();
        h.type("unsaved");
        h.t.prompts.answers << Prompts::Answer::No;
        QVERIFY(!h.window().close());
        QVERIFY(h.window().isVisible());
        QCOMPARE(h.t.settingsBytes(), before);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("unsaved"));
        QCOMPARE(h.t.prompts.texts(), QStringList{"Do you really want to exit?"});
    }

    void confirmedExitWritesSettingsAndRemovesTemporaryFiles() {
        WindowHarness h;
        const QString temp = h.t.writeFile("site/temp.htm", "x");
        h.t.ctx.temporaryFiles.add(temp);
        h.t.ctx.temporaryFiles.add(h.t.path("site/never-written.htm")); // skipped silently
        h.t.prompts.answers << Prompts::Answer::Yes;
        QVERIFY(h.window().close());
        QVERIFY(!QFile::exists(temp));
        QVERIFY(h.t.settingsBytes().contains("[Options]"));
        QCOMPARE(h.t.prompts.texts(), QStringList{"Do you really want to exit?"});
    }

    void exitAsksForModifiedDocumentsFromTheLastTab() {
        WindowHarness h;
        h.files().openStartupFiles({h.t.writeFile("a.htm", "a")});
        h.files().openFile(h.t.writeFile("b.htm", "b"));
        h.files().openFile(h.t.writeFile("c.htm", "c"));
        h.docs().setCurrentIndex(1);
        h.type("!");
        h.t.prompts.answers << Prompts::Answer::Yes << Prompts::Answer::Cancel;
        QVERIFY(!h.window().close());
        QCOMPARE(h.t.prompts.texts().size(), 2);
        QVERIFY(h.t.prompts.texts()[1].endsWith("b.htm is not saved!\nDo you wish to save it now?"));
        QCOMPARE(h.docs().count(), 2); // the third was closed before the question
        QVERIFY(h.t.settingsBytes().contains("[Options]")); // settings come before documents
    }

    void backupFilesAreOfferedForDeletion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("yes") << int(Prompts::Answer::Yes) << true;
        QTest::newRow("no") << int(Prompts::Answer::No) << false;
    }
    void backupFilesAreOfferedForDeletion() {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        WindowHarness h;
        QVERIFY(h.files().openFile(h.t.writeFile("p/page.htm", "<P>")));
        h.files().backup(h.docs().current());
        const QString bak = h.t.path("p/page.bak");
        QVERIFY(QFile::exists(bak));
        h.t.prompts.answers << Prompts::Answer::Yes << Prompts::Answer(answer);
        QVERIFY(h.window().close());
        QCOMPARE(h.t.prompts.texts().last(),
                 QStringLiteral("Would you like to delete the backup files created during this "
                                "session?"));
        QCOMPARE(QFile::exists(bak), !deleted);
    }

    void aSessionWithoutBackupsNeverAsksAboutThem() {
        WindowHarness h;
        h.t.prompts.answers << Prompts::Answer::Yes;
        QVERIFY(h.window().close());
        QCOMPARE(h.t.prompts.texts().size(), 1);
        QCOMPARE(h.t.prompts.unexpected, 0);
    }

    void layoutButtonSwitchesSmallAndWideOnly_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("small to wide") << 1 << 2;
        QTest::newRow("wide to small") << 2 << 1;
        QTest::newRow("full stays") << 3 << 3;
    }
    void layoutButtonSwitchesSmallAndWideOnly() {
        QFETCH(int, before);
        QFETCH(int, after);
        // The stored mode is applied at start; the button's choice shows at once.
        WindowHarness h(QByteArray("[Options]\ntotd=0\nscreenm=") + QByteArray::number(before));
        WindowLayout *layout = h.window().windowLayout();
        QCOMPARE(int(layout->appliedMode()), before);
        h.button("layoutButton")->click();
        QCOMPARE(int(h.t.ctx.settings.layoutMode), after);
        QCOMPARE(int(layout->appliedMode()), after);
        QWidget *panel = h.window().findChild<QWidget *>("folderPanel");
        QWidget *tags = h.window().findChild<QWidget *>("tagArea");
        QCOMPARE(panel->isVisible(), after == 1);
        QCOMPARE(tags->isVisible(), after != 3);
    }

    void theTagToolbarUndocksAndDocks() {
        WindowHarness h;
        WindowLayout *layout = h.window().windowLayout();
        QCOMPARE(h.action("actionDockToolbar")->text(), QStringLiteral("Un&dock toolbar"));
        h.action("contextDockToolbar")->trigger();
        QVERIFY(layout->isToolbarFloating());
        QCOMPARE(h.action("actionDockToolbar")->text(), QStringLiteral("&Dock toolbar"));
        QCOMPARE(h.action("contextDockToolbar")->text(), QStringLiteral("Dock toolbar"));
        QVERIFY(!h.window().findChild<QWidget *>("tagArea")->isVisible());
        h.action("actionDockToolbar")->trigger();
        QVERIFY(!layout->isToolbarFloating());
        QVERIFY(h.window().findChild<QWidget *>("tagArea")->isVisible());
    }

    void panelWidthFollowsTheSplitter() {
        WindowHarness h("[Options]\ntotd=0\npanelwidth=180\n");
        auto *splitter = h.window().findChild<QSplitter *>("mainSplitter");
        QCOMPARE(splitter->sizes().first(), 180);
        QVERIFY(h.t.ctx.settings.filePanelWidth == 180);
    }

    void sidePanelNarrowsToAStripNeverToNothing_data() {
        QTest::addColumn<int>("dragTo");
        QTest::addColumn<int>("width");
        QTest::newRow("to nothing") << 0 << 9;
        QTest::newRow("below the strip") << 5 << 9;
        QTest::newRow("just below 15") << 14 << 9;
        QTest::newRow("wider") << 60 << 60;
    }
    void sidePanelNarrowsToAStripNeverToNothing() {
        QFETCH(int, dragTo);
        QFETCH(int, width);
        WindowHarness h("[Options]\ntotd=0\npanelwidth=180\n");
        auto *splitter = h.window().findChild<QSplitter *>("mainSplitter");
        QSplitterHandle *handle = splitter->handle(1);
        auto send = [handle](QEvent::Type type, int x, Qt::MouseButtons buttons) {
            const QPointF local = handle->mapFromParent(QPointF(x, 10));
            QMouseEvent e(type, local, handle->mapToGlobal(local), Qt::LeftButton, buttons,
                          Qt::NoModifier);
            QApplication::sendEvent(handle, &e);
        };
        send(QEvent::MouseButtonPress, 180, Qt::LeftButton);
        send(QEvent::MouseMove, dragTo, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, dragTo, Qt::NoButton);
        QCOMPARE(splitter->sizes().first(), width);
        QCOMPARE(h.t.ctx.settings.filePanelWidth, width);
    }

    void storedSizesAreFittedToTheScreen_data() {
        QTest::addColumn<QByteArray>("sizes");
        QTest::newRow("huge panel") << QByteArray("panelwidth=2147483647");
        QTest::newRow("negative panel") << QByteArray("panelwidth=-2147483647");
        QTest::newRow("huge right panel") << QByteArray("p3w=2147483647");
        QTest::newRow("huge file list") << QByteArray("p9h=2147483647");
        QTest::newRow("negative file list") << QByteArray("p9h=-2147483647");
    }
    void storedSizesAreFittedToTheScreen() {
        QFETCH(QByteArray, sizes);
        WindowHarness h("[Options]\ntotd=0\n" + sizes + "\n");
        h.window().resize(1000, 700);
        QWidget *documents = h.window().findChild<QWidget *>("notebook");
        QWidget *tags = h.window().findChild<QWidget *>("tagArea");
        QTRY_VERIFY(documents->width() >= 100);
        QVERIFY(documents->height() >= 100);
        QVERIFY(tags->width() >= 100);
        QWidget *panel = h.window().findChild<QWidget *>("folderPanel");
        QVERIFY(panel->width() >= 9);
        // What is written back is what fits: never a size that hides the documents again.
        saveSettings(h.t.ctx);
        IniStore ini;
        QVERIFY(ini.load(h.t.ctx.paths.settingsFile()));
        const QSize screen = h.window().screen()->availableGeometry().size();
        const int panelWidth = ini.readInt("Options", "panelwidth", -1);
        QVERIFY(panelWidth >= 9 && panelWidth <= screen.width() - 100);
        QVERIFY(ini.readInt("Options", "p3w", -1) <= screen.width() / 2);
        const int listHeight = ini.readInt("Options", "p9h", -1);
        QVERIFY(listHeight >= 0 && listHeight <= screen.height() - 100);
    }

    void fileListStartsAtItsStoredHeight() {
        WindowHarness h("[Options]\ntotd=0\np9h=150\n");
        auto *list = h.window().findChild<QSplitter *>("folderPanel");
        QTRY_COMPARE(list->sizes().value(1), 150);
        h.window().resize(h.window().width(), h.window().height() + 200);
        QTRY_COMPARE(list->sizes().value(1), 150);
    }

    void panelsMoveUpWhenTheTagToolbarLeaves() {
        WindowHarness h;
        WindowLayout *layout = h.window().windowLayout();
        QWidget *documents = h.window().findChild<QWidget *>("notebook");
        auto top = [&] { return documents->mapTo(&h.window(), QPoint()).y(); };
        const int docked = top();
        layout->setMode(LayoutMode::FullScreen);
        QTRY_VERIFY2(top() <= docked - 20, qPrintable(QString::number(top())));
        layout->setMode(LayoutMode::SmallScreen);
        QTRY_COMPARE(top(), docked);
        layout->toggleDocking();
        QTRY_VERIFY(top() <= docked - 20);
        layout->toggleDocking();
        QTRY_COMPARE(top(), docked);
    }

    // Through the real start: the first file takes the untouched untitled tab, the rest get
    // tabs of their own, and the window shows the first one's name once started.
    void commandLineFilesOpenWhenTheWindowFirstShows() {
        TestContext probe;
        const QString a = probe.writeFile("a.htm", "<P>a");
        const QString b = probe.writeFile("b.htm", "<P>b");
        WindowHarness h("[Options]\ntotd=0\n", {a, b});
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.docs().document(0).fileName(), a);
        QCOMPARE(h.docs().document(0).text(), QStringLiteral("<P>a"));
        QCOMPARE(h.docs().document(1).fileName(), b);
        QCOMPARE(h.docs().currentIndex(), 1);
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Marlo - ") + b);
    }

    // Two commands on one key cancel each other out: Qt runs neither. Every key the window
    // answers belongs to one command (an item that only shows a twin's key does not count).
    void everyShortcutOfTheWindowIsOneCommand() {
        WindowHarness h;
        QMap<QString, QStringList> owners;
        for (QAction *a : h.window().findChildren<QAction *>()) {
            if (a->shortcutContext() == Qt::WidgetShortcut)
                continue;
            for (const QKeySequence &key : a->shortcuts())
                owners[key.toString()] << a->objectName() + QLatin1Char(' ') + a->text();
        }
        for (QShortcut *s : h.window().findChildren<QShortcut *>())
            if (s->context() != Qt::WidgetShortcut)
                owners[s->key().toString()] << s->objectName();
        for (auto it = owners.cbegin(); it != owners.cend(); ++it)
            QVERIFY2(it->size() == 1, qPrintable(it.key() + ": " + it->join(", ")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
