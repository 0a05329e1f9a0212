#include "common/scriptedprompts.h"
#include "common/testfiles.h"
#include "filepanel/fileoperations.h"

#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using Answer = Prompts::Answer;

class TestFileOperations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void rename_data();
    void rename();
    void renameKeepsPermissions();
    void copyAndMove_data();
    void copyAndMove();
    void deleteToTrash_data();
    void deleteToTrash();
    void deleteInReadOnlyFolder();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompts m_prompts;
};

void TestFileOperations::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompts = ScriptedPrompts();
    writeFile(path("site/a.htm"), "page a");
    writeFile(path("site/b.htm"), "page b");
    writeFile(path("other/a.htm"), "older a");
}

void TestFileOperations::rename_data() {
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QString>("files"); // what site/ holds afterwards, with contents
    QTest::newRow("new name") << "c.htm" << true << "b.htm=page b c.htm=page a";
    QTest::newRow("same name does nothing") << "a.htm" << false << "a.htm=page a b.htm=page b";
    QTest::newRow("existing name is refused") << "b.htm" << false << "a.htm=page a b.htm=page b";
    QTest::newRow("case only") << "A.htm" << true << "A.htm=page a b.htm=page b";
    QTest::newRow("slash is refused") << "../x.htm" << false << "a.htm=page a b.htm=page b";
    QTest::newRow("empty is refused") << "" << false << "a.htm=page a b.htm=page b";
}

void TestFileOperations::rename() {
    QFETCH(QString, newName);
    QFETCH(bool, renamed);
    QCOMPARE(renamePanelFile(path("site"), "a.htm", newName, m_prompts), renamed);
    QStringList files;
    for (const QString &n : QDir(path("site")).entryList(QDir::Files, QDir::Name))
        files << n + '=' + readFile(path("site/" + n));
    QTEST(files.join(' '), "files");
    // A refusal says why; a plain rename or no change says nothing.
    const bool told = !m_prompts.messages().isEmpty();
    QCOMPARE(told, !renamed && newName != "a.htm");
}

void TestFileOperations::renameKeepsPermissions() {
    QFile::setPermissions(path("site/a.htm"), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner);
    QVERIFY(renamePanelFile(path("site"), "a.htm", "run.htm", m_prompts));
    QVERIFY(QFileInfo(path("site/run.htm")).isExecutable());
}

void TestFileOperations::copyAndMove_data() {
    QTest::addColumn<bool>("move");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("source"); // site/a.htm afterwards
    QTest::addColumn<QByteArray>("copy");   // target/a.htm afterwards
    QTest::addColumn<int>("questions");
    const QList<Answer> none;
    QTest::newRow("copy to new folder") << false << "new" << none << true << QByteArray("page a")
                                        << QByteArray("page a") << 0;
    QTest::newRow("copy declines to replace") << false << "other" << QList<Answer>{Answer::No}
                                              << false << QByteArray("page a")
                                              << QByteArray("older a") << 1;
    QTest::newRow("copy replaces") << false << "other" << QList<Answer>{Answer::Yes} << true
                                   << QByteArray("page a") << QByteArray("page a") << 1;
    QTest::newRow("copy onto itself") << false << "site" << none << false
                                      << QByteArray("page a") << QByteArray("page a") << 0;
    QTest::newRow("move to new folder") << true << "new" << none << true << QByteArray("<missing>")
                                        << QByteArray("page a") << 0;
    QTest::newRow("move declines to replace") << true << "other" << QList<Answer>{Answer::No}
                                              << false << QByteArray("page a")
                                              << QByteArray("older a") << 1;
    QTest::newRow("move replaces") << true << "other" << QList<Answer>{Answer::Yes} << true
                                   << QByteArray("<missing>") << QByteArray("page a") << 1;
    QTest::newRow("move onto itself") << true << "site" << none << false << QByteArray("page a")
                                      << QByteArray("page a") << 0;
}

void TestFileOperations::copyAndMove() {
    QFETCH(bool, move);
    QFETCH(QString, target);
    QFETCH(QList<Answer>, answers);
    QDir().mkpath(path(target));
    for (Answer a : answers)
        m_prompts.answers.enqueue(a);
    const QString source = path("site/a.htm");
    const bool ok = move ? moveFileToFolder(source, path(target), m_prompts)
                         : copyFileToFolder(source, path(target), m_prompts);
    QTEST(ok, "result");
    QTEST(readFile(source), "source");
    QTEST(readFile(path(target + "/a.htm")), "copy");
    int questions = 0;
    for (const PromptRecord &r : m_prompts.records)
        questions += r.type == PromptRecord::Type::YesNo;
    QTEST(questions, "questions");
    QCOMPARE(m_prompts.unexpected, 0);
}

void TestFileOperations::deleteToTrash_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("gone");
    QTest::newRow("yes") << Answer::Yes << true;
    QTest::newRow("no") << Answer::No << false;
}

void TestFileOperations::deleteToTrash() {
    QFETCH(Answer, answer);
    QFETCH(bool, gone);
    // The trash of a home folder on the same volume as the file.
    qputenv("XDG_DATA_HOME", path("home-data").toLocal8Bit());
    QDir().mkpath(path("home-data"));
    m_prompts.answers.enqueue(answer);
    const QString file = path("site/a.htm");
    QCOMPARE(::deleteToTrash(file, m_prompts), gone);
    QCOMPARE(QFileInfo::exists(file), !gone);
    QCOMPARE(m_prompts.texts().value(0),
             "Are you sure you want to delete " + QDir::toNativeSeparators(file) + "?");
    if (gone)
        QCOMPARE(readFile(path("home-data/Trash/files/a.htm")), QByteArray("page a"));
}

void TestFileOperations::deleteInReadOnlyFolder() {
    if (::geteuid() == 0)
        QSKIP("root may delete in a read-only folder");
    QFile::setPermissions(path("site"), QFile::ReadOwner | QFile::ExeOwner);
    m_prompts.answers.enqueue(Answer::Yes);
    QVERIFY(!::deleteToTrash(path("site/a.htm"), m_prompts));
    QFile::setPermissions(path("site"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(m_prompts.messages(),
             QStringList{"Can not delete " + QDir::toNativeSeparators(path("site/a.htm")) + "."});
    QCOMPARE(readFile(path("site/a.htm")), QByteArray("page a"));
}

QTEST_GUILESS_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"
