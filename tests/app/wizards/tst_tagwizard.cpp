// The tag wizard window driven through its lists, and help on a tag.
#include "common/testcontext.h"
#include "wizards/taghelp.h"
#include "wizards/tagwizard.h"

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

namespace {
QListWidgetItem *findItem(QListWidget *list, const QString &text) {
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    return items.isEmpty() ? nullptr : items.first();
}
void doubleClick(QListWidget *list, QListWidgetItem *item) {
    list->setCurrentItem(item);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
} // namespace

class TagWizardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void composesAndInserts() {
        TestContext t;
        TagWizard wizard(t.ctx);
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        QListWidgetItem *img = findItem(wizard.tagList(), QStringLiteral("<IMG ...>"));
        QVERIFY(img);
        wizard.tagList()->setCurrentItem(img);
        QVERIFY(wizard.attributeList()->count() > 0);
        // Attributes double-clicked before the entry fill the start tag from the entry first.
        for (const char *name : {"SRC", "ALT", "ISMAP", "SRC"})
            doubleClick(wizard.attributeList(), findItem(wizard.attributeList(), QLatin1String(name)));
        QCOMPARE(wizard.startTagEdit()->text(), QStringLiteral("<IMG SRC=\"\" ALT=\"\" ISMAP>"));
        QCOMPARE(wizard.endTagEdit()->text(), QString());

        PendingInsertion arrived;
        QObject::connect(&t.ctx.insertions, &InsertionChannel::insertionArrived,
                         [&arrived](const PendingInsertion &p) { arrived = p; });
        wizard.insertTag();
        QTRY_VERIFY(arrived.pending);
        QCOMPARE(arrived.startText, QStringLiteral("<IMG SRC=\"\" ALT=\"\" ISMAP>"));

        // Choosing another entry clears the fields and lists its own attributes.
        wizard.tagList()->setCurrentItem(findItem(wizard.tagList(), QStringLiteral("<B> - </B>")));
        QVERIFY(wizard.startTagEdit()->text().isEmpty());
        QCOMPARE(wizard.attributeList()->count(), 0);
        doubleClick(wizard.tagList(), wizard.tagList()->currentItem());
        QCOMPARE(wizard.startTagEdit()->text(), QStringLiteral("<B>"));
        QCOMPARE(wizard.endTagEdit()->text(), QStringLiteral("</B>"));
    }

    void emptyStartTagInsertsNothing() {
        TestContext t;
        TagWizard wizard(t.ctx);
        wizard.endTagEdit()->setText(QStringLiteral("</B>"));
        wizard.insertTag();
        QVERIFY(!t.ctx.insertions.hasPending());
    }

    void helpFile_data() {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("none set")
            << "" << "Please enter an external helpfile in the preference dialog first." << "";
        QTest::newRow("missing") << "missing.htm"
                                 << "The helpfile you entered in the preference dialog does not exist."
                                 << "";
        QTest::newRow("a folder") << "."
                                  << "The helpfile you entered in the preference dialog does not exist."
                                  << "";
        QTest::newRow("html page") << "tags.htm" << "" << "<TABLE>";
        QTest::newRow("other help file") << "tags.hlp" << "" << "";
    }
    void helpFile() {
        QFETCH(QString, helpFile);
        QFETCH(QString, message);
        TestContext t;
        t.writeFile(QStringLiteral("tags.htm"), "<html></html>");
        t.writeFile(QStringLiteral("tags.hlp"), "help");
        t.ctx.settings.tagHelpFile = helpFile.isEmpty() ? QString() : t.path(helpFile);
        const QUrl url = tagHelpUrl(t.ctx, QStringLiteral("<TABLE>"));
        QCOMPARE(t.prompts.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(url.isEmpty(), !message.isEmpty());
        QTEST(url.fragment(), "fragment");
    }
};

QTEST_MAIN(TagWizardTest)
#include "tst_tagwizard.moc"
