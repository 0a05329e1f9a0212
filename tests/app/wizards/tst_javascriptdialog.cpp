// The JavaScript wizard on a real main window: scripts reach the page, field messages keep the
// dialog open, the previews run, and custom scripts are created, changed and deleted.
#include "common/windowharness.h"
#include "wizards/customscriptpage.h"
#include "wizards/customscripts.h"
#include "wizards/javascriptcommands.h"
#include "wizards/javascriptdialog.h"
#include "wizards/newcustomscriptdialog.h"
#include "wizards/slideshowpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

const QString Page = QStringLiteral(
    "<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\nx\n</BODY>\n</HTML>");

std::unique_ptr<JavaScriptDialog> openDialog(WindowHarness &h) {
    JavaScriptCommands *commands = h.window().javaScripts();
    return std::make_unique<JavaScriptDialog>(
        h.t.ctx.prompt(), customScriptFolder(h.t.ctx.paths.dataDir),
        [commands](const JavaScriptFields &f) { return commands->insert(f); },
        [](const QString &file) { return file; }, &h.window());
}

QString lineAbove(const QString &text, const QString &marker) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i)
        if (lines.at(i).startsWith(marker))
            return lines.at(i - 1);
    return QString();
}

} // namespace

class JavaScriptDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insertsIntoThePage_data() {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("atCaret");
        QTest::newRow("scroller") << int(JavaScriptEffect::Scroller) << "Hello"
                                  << "<BODY onLoad=\"scroller()\" BGCOLOR"
                                  << "";
        QTest::newRow("ticker")
            << int(JavaScriptEffect::Ticker) << "one\nthree"
            << "<BODY onLoad=\"textticker()\""
            << "<form name=\"tickform\"><input type=text name=\"tickfield\" size=5></form>";
        QTest::newRow("fade both") << int(JavaScriptEffect::Fade) << ""
                                   << "<BODY onUnLoad=\"fadeout()\""
                                   << "";
        QTest::newRow("clock") << int(JavaScriptEffect::Clock) << ""
                               << "<BODY onLoad=\"startclock()\""
                               << "<form name=\"clock\"";
    }
    void insertsIntoThePage() {
        QFETCH(int, effect);
        QFETCH(QString, field);
        WindowHarness h;
        h.editor().sourceDocument().setText(Page);
        h.editor().setSelection(int(Page.indexOf(QLatin1String("\nx\n"))) + 1, 1);
        auto dialog = openDialog(h);
        dialog->setCurrentEffect(JavaScriptEffect(effect));
        dialog->scrollerText()->setText(field);
        dialog->tickerText()->setPlainText(field);
        for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
            if (b->text() == QLatin1String("Both"))
                b->click();
        dialog->confirm();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QTRY_COMPARE(lineAbove(h.editor().sourceDocument().text(), QStringLiteral("</HEAD>")).trimmed(),
                     QStringLiteral("</script>"));
        const QString text = h.editor().sourceDocument().text();
        QCOMPARE(h.editor().sourceDocument().lineText(h.editor().row()), QStringLiteral("</HEAD>"));
        QFETCH(QString, body);
        QVERIFY2(text.contains(body), qPrintable(text));
        QFETCH(QString, atCaret);
        if (!atCaret.isEmpty())
            QVERIFY(text.contains(QStringLiteral("\n") + atCaret));
        if (effect == int(JavaScriptEffect::Fade))
            QVERIFY(text.contains(QLatin1String("0xFF,0xFF,0xFF, 64")));
        QCOMPARE(h.t.prompts.messages(), QStringList());
    }

    void messagesKeepOrCloseTheDialog() {
        WindowHarness h;
        h.editor().sourceDocument().setText(QStringLiteral("<BODY>no head</BODY>"));
        auto dialog = openDialog(h);
        dialog->confirm(); // no scrolling text
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        dialog->scrollerText()->setText(QStringLiteral("Hi"));
        dialog->confirm();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(h.t.prompts.messages(),
                 QStringList({"No text specified.",
                              "Before you can add a java script, please fill the HTML document "
                              "with the basic tags (<HTML>,<HEAD>,<BODY>)."}));
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<BODY>no head</BODY>"));
    }

    void detourPage() {
        WindowHarness h;
        h.editor().sourceDocument().setText(Page);
        auto dialog = openDialog(h);
        dialog->setCurrentEffect(JavaScriptEffect::Detour);
        dialog->detourLocation()->setEditText(QStringLiteral("http://example.org/"));
        dialog->confirm();
        const QString text = h.editor().sourceDocument().text();
        QVERIFY(text.contains(QLatin1String("<TITLE>Detour - This page has moved...t</TITLE>\n"
                                            "<META HTTP-EQUIV=\"Refresh\"")));
        QVERIFY(text.contains(QLatin1String("<A HREF=\"http://example.org/\">")));
        h.editor().undo();
        QCOMPARE(h.editor().sourceDocument().text(), Page);
    }

    void slideShowPage() {
        WindowHarness h;
        for (const char *name : {"b.JPG", "a.gif", "notes.txt", "c.jpeg"})
            h.t.writeFile(QStringLiteral("pics/") + QLatin1String(name), "x");
        h.editor().sourceDocument().setText(Page);
        auto dialog = openDialog(h);
        dialog->setCurrentEffect(JavaScriptEffect::SlideShow);
        dialog->confirm();
        QCOMPARE(h.t.prompts.messages(), QStringList({"No slides specified."}));
        dialog->setSlideFolder(h.t.path("pics"));
        QCOMPARE(dialog->slidePage()->pictureList()->count(), 3);
        for (int row : {0, 2, 1}) {
            dialog->slidePage()->pictureList()->setCurrentRow(row);
            dialog->slidePage()->addSlide();
        }
        QCOMPARE(dialog->slidePage()->slideList()->count(), 3);
        dialog->slidePage()->slideList()->setCurrentRow(1);
        QTest::keyClick(dialog->slidePage()->slideList(), Qt::Key_Delete);
        QCOMPARE(dialog->fields().slides,
                 QStringList({h.t.path("pics/a.gif"), h.t.path("pics/b.JPG")}));
        dialog->confirm();
        QTRY_VERIFY(h.editor().sourceDocument().text().contains(QLatin1String("var count = 2;")));
        QVERIFY(h.editor().sourceDocument().text().contains(
            QStringLiteral("<IMG SRC=\"%1\">").arg(h.t.path("pics/a.gif"))));
    }

    void tickerWidthAndPreviews() {
        WindowHarness h;
        auto dialog = openDialog(h);
        dialog->tickerText()->setPlainText(QStringLiteral("ab\nabcdefg\nabc"));
        QCOMPARE(dialog->tickerWidth()->value(), 7);
        QTest::mouseClick(dialog->tickerWidth(), Qt::LeftButton);
        QVERIFY(!dialog->tickerAutosize()->isChecked());
        dialog->tickerText()->setPlainText(QStringLiteral("a"));
        QCOMPARE(dialog->tickerWidth()->value(), 7);

        const QString before = dialog->tickerPreview()->text();
        QTRY_VERIFY(dialog->tickerPreview()->text().size() > before.size() + 1);
        QVERIFY(dialog->tickerPreview()->text().endsWith(QLatin1Char('_')));
        dialog->tickerStop()->click();
        QCOMPARE(dialog->tickerStop()->text(), QStringLiteral("Start"));
        const QString stopped = dialog->tickerPreview()->text();
        QTest::qWait(400);
        QCOMPARE(dialog->tickerPreview()->text(), stopped);
        dialog->tickerStop()->click();
        QCOMPARE(dialog->tickerStop()->text(), QStringLiteral("Stop it"));

        dialog->marqueeText()->setText(QStringLiteral("M"));
        QTRY_VERIFY(dialog->marqueePreview()->text().endsWith(QLatin1Char('M')));
        const QString first = dialog->marqueePreview()->text();
        QTRY_VERIFY(dialog->marqueePreview()->text() != first);
    }

    void customScripts() {
        WindowHarness h;
        const QString folder = customScriptFolder(h.t.ctx.paths.dataDir);
        auto dialog = openDialog(h);
        QCOMPARE(dialog->customPage()->scripts()->currentText(), QStringLiteral("[empty]"));

        NewCustomScriptDialog create(h.t.ctx.prompt(), folder);
        QCOMPARE(create.scriptEdit()->textCursor().blockNumber(), 2);
        create.fileNameEdit()->setText(QStringLiteral("hello"));
        create.scriptEdit()->textCursor().insertText(QStringLiteral("var greeting = 1;"));
        create.confirm();
        QCOMPARE(create.savedFileName(), QStringLiteral("hello.jsc"));
        QVERIFY(QFile::exists(folder + "/hello.jsc"));

        // A second script of the same name is only written when the user says Yes.
        NewCustomScriptDialog again(h.t.ctx.prompt(), folder);
        again.fileNameEdit()->setText(QStringLiteral("hello.jsc"));
        h.t.prompts.answers.enqueue(Prompts::Answer::No);
        again.confirm();
        QCOMPARE(again.result(), int(QDialog::Rejected));

        // A script written elsewhere in Windows-1252 with CR LF is shown as it reads and saved
        // back in its own encoding and line ends.
        h.t.writeFile("data/scripts/hello.jsc", "<script>\r\nvar caf\xE9 = 1;\r\n</script>\r\n");
        auto reopened = openDialog(h);
        QCOMPARE(reopened->customPage()->scripts()->currentText(), QStringLiteral("hello.jsc"));
        QVERIFY(reopened->customPage()->text()->toPlainText().contains(QString::fromUtf8("var café = 1;")));
        reopened->customPage()->text()->setPlainText(QString::fromUtf8("<script>\nvar changed = '€';\n</script>"));
        reopened->customPage()->saveScript();
        QCOMPARE(h.t.readFile(folder + "/hello.jsc"),
                 QByteArray("<script>\r\nvar changed = '\x80';\r\n</script>\r\n"));

        h.editor().sourceDocument().setText(Page);
        reopened->setCurrentEffect(JavaScriptEffect::Custom);
        reopened->confirm();
        QTRY_COMPARE(lineAbove(h.editor().sourceDocument().text(), QStringLiteral("</HEAD>")),
                     QStringLiteral("          </script>"));
        QVERIFY(h.editor().sourceDocument().text().contains(QString::fromUtf8("\n          var changed = '€';\n")));

        h.t.prompts.answers.enqueue(Prompts::Answer::Yes);
        reopened->customPage()->deleteScript();
        QVERIFY(!QFile::exists(folder + "/hello.jsc"));
        QCOMPARE(reopened->customPage()->scripts()->currentText(), QStringLiteral("[empty]"));
        QCOMPARE(h.t.prompts.texts().last(),
                 QStringLiteral("Do you really want to delete hello.jsc?"));
    }

    void menuAndHelp() {
        WindowHarness h;
        QString topic;
        connect(h.window().javaScripts(), &JavaScriptCommands::helpRequested, this,
                [&topic](const QString &t) { topic = t; });
        connect(h.window().javaScripts(), &JavaScriptCommands::dialogOpened, this,
                [](JavaScriptDialog *d) {
                    QTimer::singleShot(0, d, [d] {
                        d->findChild<QPushButton *>(QStringLiteral("helpButton"))->click();
                        d->reject();
                    });
                });
        QAction *item = h.window().findChild<QAction *>(QStringLiteral("actionJavaScripts"));
        QVERIFY(item);
        item->trigger();
        QCOMPARE(topic, QStringLiteral("javascript"));
    }
};

QTEST_MAIN(JavaScriptDialogTest)
#include "tst_javascriptdialog.moc"
