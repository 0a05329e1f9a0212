// The internal viewer taking the editor's place, and previews in an external browser.
#include "common/windowharness.h"
#include "editor/searchcommands.h"
#include "preview/previewcontroller.h"

#include <QFile>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolButton>

namespace {
QAction *menuNamed(MainWindow &w, const QString &objectName) {
    return w.findChild<QMenu *>(objectName)->menuAction();
}
} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theViewerDisablesEditingUntilEsc() {
        WindowHarness h;
        h.type("<P>text");
        PreviewController *preview = h.window().preview();
        const QStringList menus = {"menuFile", "menuEdit", "menuSearch", "menuTags", "menuTools"};
        preview->toggleInternalViewer();
        QVERIFY(preview->isViewerShowing());
        QCOMPARE(h.window().findChild<QStackedWidget *>("notebook")->currentWidget()->objectName(),
                 QStringLiteral("browser"));
        for (const QString &m : menus)
            QVERIFY2(!menuNamed(h.window(), m)->isEnabled(), qPrintable(m));
        QVERIFY(!h.action("actionSave")->isEnabled());
        QVERIFY(!h.action("actionNew")->isEnabled());
        QVERIFY(!h.window().findChild<QWidget *>("tagToolbar")->isEnabled());
        QCOMPARE(h.action("actionInternalViewer")->text(), QStringLiteral("Back to Ed&itor"));
        QCOMPARE(h.button("internalViewerButton")->toolTip(), QStringLiteral("Back to HTML Editor"));

        QTest::keyClick(&h.window(), Qt::Key_Escape);
        QVERIFY(!preview->isViewerShowing());
        for (const QString &m : menus)
            QVERIFY2(menuNamed(h.window(), m)->isEnabled(), qPrintable(m));
        // Save keeps its own state: the document is still modified.
        QVERIFY(h.action("actionSave")->isEnabled());
        QCOMPARE(h.action("actionInternalViewer")->text(), QStringLiteral("&Internal HTML View"));
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<P>text"));
        QVERIFY(h.editor().hasFocus() || !h.window().isActiveWindow());
    }

    void saveFollowsTheDocumentAfterTheViewer() {
        // A change made while the viewer shows (here by the still open Replace dialog) must
        // leave Save enabled on the way back, and a save made meanwhile must leave it off.
        WindowHarness h;
        QVERIFY(h.files().openFile(h.t.writeFile("v/a.htm", "aaa")));
        PreviewController *preview = h.window().preview();
        preview->toggleInternalViewer();
        h.window().search()->replace(QStringLiteral("a"), QStringLiteral("b"), true);
        QVERIFY(!h.action("actionSave")->isEnabled());
        preview->toggleInternalViewer();
        QVERIFY(h.action("actionSave")->isEnabled());

        preview->toggleInternalViewer();
        QVERIFY(h.files().save(h.docs().current()));
        preview->toggleInternalViewer();
        QVERIFY(!h.action("actionSave")->isEnabled());
    }

    void reloadShowsTheCurrentText() {
        WindowHarness h;
        PreviewController *preview = h.window().preview();
        preview->toggleInternalViewer();
        preview->reload();
        QVERIFY(preview->isViewerShowing());
        preview->toggleInternalViewer();
        QVERIFY(menuNamed(h.window(), "menuEdit")->isEnabled());
    }

    void externalPreviewWritesACopyAndCallsTheBrowser() {
        WindowHarness h;
        const QString browser = h.t.writeFile("bin/firefox", "#!/bin/sh\n");
        h.t.ctx.settings.primaryBrowser = browser;
        h.t.ctx.settings.primaryBrowserIsDefault = true;
        const QString page = h.t.writeFile("site/a.htm", "<P>saved");
        QVERIFY(h.files().openFile(page));
        h.type("x");
        h.window().preview()->externalPreview(false);
        const QString copy = h.t.path("site/temp.htm");
        QCOMPARE(h.t.readFile(copy), QByteArray("x<P>saved"));
        QCOMPARE(h.browsers.calls,
                 (QStringList{"activate " + browser, "open " + browser + " file://" + copy}));
        QVERIFY(h.t.ctx.temporaryFiles.names().contains(copy));
        QCOMPARE(h.t.readFile(page), QByteArray("<P>saved"));
    }

    void aUsersTempFileIsNeverOverwritten() {
        WindowHarness h;
        h.t.ctx.settings.primaryBrowser = h.t.writeFile("bin/firefox", "");
        const QString users = h.t.writeFile("site/temp.htm", "the user's own page");
        QVERIFY(h.files().openFile(h.t.writeFile("site/a.htm", "<P>")));
        h.window().preview()->externalPreview(false);
        QCOMPARE(h.t.readFile(users), QByteArray("the user's own page"));
        QCOMPARE(h.t.readFile(h.t.path("site/temp~1.htm")), QByteArray("<P>"));
        h.t.prompts.answers << Prompts::Answer::Yes;
        QVERIFY(h.window().close());
        QVERIFY(QFile::exists(users));
        QVERIFY(!QFile::exists(h.t.path("site/temp~1.htm")));
    }

    void secondaryPreviewUsesTheOtherBrowserAndItsMessage() {
        WindowHarness h;
        h.t.ctx.settings.primaryBrowser = h.t.writeFile("bin/firefox", "");
        h.t.ctx.settings.secondaryBrowser = h.t.path("bin/missing");
        h.window().preview()->externalPreview(true);
        QCOMPARE(h.t.prompts.messages(),
                 QStringList{"Please enter a valid path to the Internet Explorer in the "
                             "preference dialog first."});
        QVERIFY(h.browsers.calls.isEmpty());
    }

    void autosaveShowsTheSavedFile() {
        WindowHarness h;
        const QString browser = h.t.writeFile("bin/chromium", "");
        h.t.ctx.settings.secondaryBrowser = browser;
        h.t.ctx.settings.primaryBrowserIsDefault = false;
        h.t.ctx.settings.saveAllBeforeBrowsing = true;
        const QString page = h.t.writeFile("site/b.htm", "<P>");
        QVERIFY(h.files().openFile(page));
        h.type("y");
        h.window().preview()->externalPreview(false);
        QCOMPARE(h.t.readFile(page), QByteArray("y<P>"));
        QVERIFY(!QFile::exists(h.t.path("site/temp.htm")));
        QCOMPARE(h.browsers.calls.last(), "open " + browser + " file://" + page);
    }

    void anExternalPreviewLeavesTheViewerFirst() {
        WindowHarness h;
        h.t.ctx.settings.primaryBrowser = h.t.writeFile("bin/firefox", "");
        // A page of the test's own folder: the preview copy goes beside it.
        QVERIFY(h.files().openFile(h.t.writeFile("site/a.htm", "<P>")));
        PreviewController *preview = h.window().preview();
        preview->toggleInternalViewer();
        preview->externalPreview(false);
        QVERIFY(!preview->isViewerShowing());
        QVERIFY(menuNamed(h.window(), "menuFile")->isEnabled());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
