#include "shell/appcontext.h"

#include <QtTest>

// Placeholder until the subsystems bring their own tests.
class TestSkeleton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileNameListKeepsDistinctNamesUpToCapacity() {
        FileNameList list(2);
        QVERIFY(list.add("a"));
        QVERIFY(!list.add("a"));
        QVERIFY(list.add("b"));
        QVERIFY(!list.add("c"));
        QCOMPARE(list.names(), QStringList({"a", "b"}));
    }
};

QTEST_GUILESS_MAIN(TestSkeleton)
#include "tst_skeleton.moc"
