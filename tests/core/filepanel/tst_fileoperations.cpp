#include "common/filesizelimit.h"
#include "common/scriptedprompts.h"
#include "common/testfiles.h"
#include "filepanel/fileoperations.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using Answer = Prompts::Answer;

class TestFileOperations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void rename_data();
    void rename();
    void renameKeepsPermissions();
    void renameSaysWhyInPlainWords_data();
    void renameSaysWhyInPlainWords();
    void copyAndMove_data();
    void copyAndMove();
    void moveAcrossFileSystems_data();
    void moveAcrossFileSystems();
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
    // A private page: copies and moves must not make it readable to others.
    QFile::setPermissions(path("site/a.htm"), QFile::ReadOwner | QFile::WriteOwner);
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

void TestFileOperations::renameSaysWhyInPlainWords_data() {
    QTest::addColumn<QString>("file");    // in site/
    QTest::addColumn<QString>("message"); // %1 the file, %2 the new name; empty: renamed
    QTest::newRow("read-only folder")
        << "a.htm" << "Can not rename %1: " + QString::fromLocal8Bit(std::strerror(EACCES)) + ".";
    QTest::newRow("a link leading nowhere holds the name")
        << "a.htm" << "Can not rename %1: %2 already exists.";
    QTest::newRow("a pipe is renamed like any file") << "pipe" << "";
}

void TestFileOperations::renameSaysWhyInPlainWords() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    const QString tag = QTest::currentDataTag();
    if (tag.startsWith("read-only")) {
        if (::geteuid() == 0)
            QSKIP("root renames in read-only folders");
        QFile::setPermissions(path("site"), QFile::ReadOwner | QFile::ExeOwner);
    }
    if (tag.startsWith("a link"))
        QVERIFY(QFile::link(path("nowhere"), path("site/c.htm")));
    if (file == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path("site/pipe")).constData(), 0600), 0);
    const bool renamed = renamePanelFile(path("site"), file, "c.htm", m_prompts);
    QFile::setPermissions(path("site"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(renamed, message.isEmpty());
    QCOMPARE(m_prompts.messages().join('\n'),
             QString(message)
                 .replace("%1", QDir::toNativeSeparators(path("site/" + file)))
                 .replace("%2", QDir::toNativeSeparators(path("site/c.htm"))));
    QVERIFY(!QFile::exists(path("nowhere")));
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
    if (ok)
        QCOMPARE(QFile::permissions(path(target + "/a.htm")),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    int questions = 0;
    for (const PromptRecord &r : m_prompts.records) {
        if (r.type != PromptRecord::Type::YesNo)
            continue;
        ++questions;
        // A file replaced is gone for good (no trash): Enter on the question keeps it.
        QCOMPARE(r.kind, Prompts::Kind::Warning);
    }
    QTEST(questions, "questions");
    QCOMPARE(m_prompts.unexpected, 0);
}

// Another file system: the copy goes to a temporary name at the target and takes the name only
// when complete, the source is deleted only then, and a failure leaves nothing at the target.
void TestFileOperations::moveAcrossFileSystems_data() {
    QTest::addColumn<QString>("file"); // in site/
    QTest::addColumn<int>("sizeLimit"); // 0: none; else the target "disk" fills at that size
    QTest::addColumn<QString>("message"); // %1 the source, %2 the target; empty: moved
    QTest::newRow("moved") << "a.htm" << 0 << "";
    QTest::newRow("full disk") << "big.htm" << 1000
                               << "Can not move %1 to %2: " +
                                      QString::fromLocal8Bit(std::strerror(EFBIG)) + ".";
    QTest::newRow("a pipe is not copied")
        << "pipe" << 0
        << "Can not move %1: it is not a regular file (it is a folder, a pipe or a device).";
}

void TestFileOperations::moveAcrossFileSystems() {
    QFETCH(QString, file);
    QFETCH(int, sizeLimit);
    QFETCH(QString, message);
    QTemporaryDir other(QStringLiteral("/dev/shm/marlo-move-XXXXXX"));
    struct stat here {}, there {};
    if (!other.isValid() || ::stat(QFile::encodeName(path("site")).constData(), &here) != 0 ||
        ::stat(QFile::encodeName(other.path()).constData(), &there) != 0 ||
        here.st_dev == there.st_dev)
        QSKIP("no second file system to move to");
    writeFile(path("site/big.htm"), QByteArray(5000, 'b'));
    QCOMPARE(::mkfifo(QFile::encodeName(path("site/pipe")).constData(), 0600), 0);
    const QString source = path("site/" + file);
    const QByteArray before = file == "pipe" ? QByteArray() : readFile(source);
    const QDateTime changed = QFileInfo(source).lastModified();
    bool moved = false;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit.emplace(rlim_t(sizeLimit));
        moved = moveFileToFolder(source, other.path(), m_prompts);
    }
    const QString target = other.filePath(file);
    QCOMPARE(moved, message.isEmpty());
    QCOMPARE(m_prompts.messages().join('\n'),
             QString(message)
                 .replace("%1", QDir::toNativeSeparators(source))
                 .replace("%2", QDir::toNativeSeparators(target)));
    if (moved) {
        QVERIFY(!QFile::exists(source));
        QCOMPARE(readFile(target), before);
        QCOMPARE(QFile::permissions(target),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFileInfo(target).lastModified(), changed);
    } else {
        QVERIFY(QFileInfo::exists(source) || QFileInfo(source).isSymLink() || file == "pipe");
        QCOMPARE(QDir(other.path()).entryList(QDir::AllEntries | QDir::Hidden |
                                              QDir::NoDotAndDotDot),
                 QStringList());
    }
}

void TestFileOperations::deleteToTrash_data() {
    QTest::addColumn<QString>("dataHome"); // $XDG_DATA_HOME, under the test's folder
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("gone");
    QTest::addColumn<QString>("secondQuestion"); // after "Are you sure ...?"; %1 the file
    QTest::newRow("yes") << "home-data" << QList<Answer>{Answer::Yes} << true << "";
    QTest::newRow("no") << "home-data" << QList<Answer>{Answer::No} << false << "";
    // The trash folders are made where they are missing, private to the user.
    QTest::newRow("data folder missing")
        << "missing/data" << QList<Answer>{Answer::Yes} << true << "";
    // Where they cannot be made, the user is told why before anything is deleted for good.
    QTest::newRow("trash cannot be made")
        << "a-file/data" << QList<Answer>{Answer::Yes, Answer::No} << false
        << "%1 can not be moved to the trash: the trash folder %2 could not be created (" +
               QString::fromLocal8Bit(std::strerror(ENOTDIR)) + ").\n\nDelete it for good?";
}

void TestFileOperations::deleteToTrash() {
    QFETCH(QString, dataHome);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, gone);
    QFETCH(QString, secondQuestion);
    // The trash of a home folder on the same volume as the file.
    qputenv("XDG_DATA_HOME", path(dataHome).toLocal8Bit());
    QDir().mkpath(path("home-data"));
    writeFile(path("a-file"), "a file where a folder should be");
    // Nothing may land in the working folder.
    QDir().mkpath(path("cwd"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(path("cwd"));
    for (Answer a : answers)
        m_prompts.answers.enqueue(a);
    const QString file = path("site/a.htm");
    const bool result = ::deleteToTrash(file, m_prompts);
    QDir::setCurrent(cwd);
    QCOMPARE(result, gone);
    QCOMPARE(QFileInfo::exists(file), !gone);
    QCOMPARE(m_prompts.texts().value(0),
             "Are you sure you want to delete " + QDir::toNativeSeparators(file) + "?");
    QCOMPARE(m_prompts.texts().value(1),
             QString(secondQuestion)
                 .replace("%1", QDir::toNativeSeparators(file))
                 .replace("%2", QDir::toNativeSeparators(path(dataHome + "/Trash"))));
    if (!secondQuestion.isEmpty()) // deleting for good cannot be undone: Enter says No
        QCOMPARE(m_prompts.records.value(1).kind, Prompts::Kind::Warning);
    QCOMPARE(QDir(path("cwd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    if (gone)
        QCOMPARE(readFile(path(dataHome + "/Trash/files/a.htm")), QByteArray("page a"));
    QCOMPARE(m_prompts.unexpected, 0);
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
