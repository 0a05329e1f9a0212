// Every file a user or a settings file can name is read under one rule: a regular file (links
// followed) of a bounded size, opened without waiting. Each reader is fed a named pipe, a link to
// one and a link to /dev/zero: none may wait for a writer, none may read the device. (The viewer's
// pages and pictures have their own table in tst_localfiles.)
#include "common/pipewatch.h"
#include "common/testfiles.h"
#include "documents/documentfile.h"
#include "filepanel/multifilereplace.h"
#include "shell/copyfileexpanding.h"
#include "shell/inistore.h"
#include "shell/picturefile.h"
#include "tools/personalwords.h"
#include "tools/spellingdictionary.h"
#include "wizards/customscripts.h"

#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <sys/stat.h>

namespace {

// Each reader given a name; true when it took the file as readable.
using Reader = std::function<bool(const QString &path, const QString &folder)>;

const QList<QPair<QString, Reader>> &readers() {
    static const QList<QPair<QString, Reader>> list{
        {"page", [](const QString &p, const QString &) { return loadDocumentFile(p).ok; }},
        {"multi-file search",
         [](const QString &p, const QString &) {
             MultiFileRequest r;
             r.needle = QStringLiteral("x");
             return processFile(p, r).error.isEmpty();
         }},
        {"picture preview",
         [](const QString &p, const QString &) {
             QString error;
             return !readPictureFile(p, &error).isNull();
         }},
        {"picture size", [](const QString &p, const QString &) {
             return pictureFileSize(p).isValid();
         }},
        {"copy source",
         [](const QString &p, const QString &folder) {
             return copyRegularFile(p, folder + QStringLiteral("/copy")).ok() ||
                    QFile::exists(folder + QStringLiteral("/copy"));
         }},
        {"custom script",
         [](const QString &p, const QString &) {
             QString text, error;
             TextFormat format;
             return readCustomScript(p, &text, &format, &error);
         }},
        {"settings file",
         [](const QString &p, const QString &) {
             IniStore ini;
             return ini.load(p);
         }},
        {"dictionary (.vtd)",
         [](const QString &p, const QString &folder) {
             return resolveDictionary(p, {folder}).isValid();
         }},
        {"personal word list",
         [](const QString &p, const QString &) {
             QString error;
             return PersonalWords(p).load(&error);
         }},
        // The Hunspell files are opened by the engine itself, so they are checked beforehand.
        {"dictionary affixes (.aff)",
         [](const QString &p, const QString &folder) {
             QFile::link(p, folder + QStringLiteral("/xx.aff"));
             writeFile(folder + QStringLiteral("/xx.dic"), "1\nword\n");
             writeFile(folder + QStringLiteral("/xx.vtd"), "xx\n");
             return resolveDictionary(folder + QStringLiteral("/xx.vtd"), {folder}).isValid();
         }},
        {"dictionary words (.dic)",
         [](const QString &p, const QString &folder) {
             writeFile(folder + QStringLiteral("/xx.aff"), "SET UTF-8\n");
             QFile::link(p, folder + QStringLiteral("/xx.dic"));
             writeFile(folder + QStringLiteral("/xx.vtd"), "xx\n");
             return resolveDictionary(folder + QStringLiteral("/xx.vtd"), {folder}).isValid();
         }},
    };
    return list;
}

} // namespace

class TestUserFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(path("pipe"), path("link-to-pipe")));
        QVERIFY(QFile::link("/dev/zero", path("link-to-zero")));
    }

    void neverAPipeOrADevice_data() {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("target");
        for (int i = 0; i < readers().size(); ++i)
            for (const char *target : {"pipe", "link-to-pipe", "link-to-zero"})
                QTest::addRow("%s, %s", qPrintable(readers()[i].first), target) << i << target;
    }
    void neverAPipeOrADevice() {
        QFETCH(int, reader);
        QFETCH(QString, target);
        QTemporaryDir folder; // the reader's own folder, for the files it makes
        bool accepted = true;
        QVERIFY2(finishesWithoutWriter({path("pipe")},
                                       [&] {
                                           accepted = readers()[reader].second(path(target),
                                                                               folder.path());
                                       }),
                 "the reader waited for a writer");
        QVERIFY(!accepted);
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "tst_userfiles.moc"
