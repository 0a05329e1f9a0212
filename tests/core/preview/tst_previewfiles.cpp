#include "preview/previewfiles.h"
#include "common/testcontext.h"

#include <QtTest>

class TestPreviewFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theCopyNeverReplacesAFileOfTheUsers() {
        TestContext t;
        const QString doc = t.path("site/index.htm");
        QCOMPARE(previewCopyName(doc, {}), t.path("site/temp.htm"));

        // A temp.htm that this run did not write belongs to the user.
        const QString users = t.writeFile("site/temp.htm", "mine");
        QCOMPARE(previewCopyName(doc, {}), t.path("site/temp~1.htm"));
        t.writeFile("site/temp~1.htm", "also mine");
        QCOMPARE(previewCopyName(doc, {}), t.path("site/temp~2.htm"));

        // This run's own copy is reused.
        QCOMPARE(previewCopyName(doc, {users}), users);
    }

    void aNameWithoutFolderStaysRelative() {
        TestContext t;
        QDir::setCurrent(t.path("."));
        QCOMPARE(previewCopyName(QStringLiteral("New.htm"), {}), QStringLiteral("temp.htm"));
    }

    void browsersGetFileUrls() {
        QCOMPARE(fileUrl(QStringLiteral("/web/a b.htm")), QStringLiteral("file:///web/a%20b.htm"));
    }
};

QTEST_GUILESS_MAIN(TestPreviewFiles)
#include "tst_previewfiles.moc"
