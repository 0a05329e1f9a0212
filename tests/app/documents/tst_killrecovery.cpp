// Unsaved work survives a kill: a child process runs the document set with its recovery journals
// (the program's own controllers on real editors), makes random edits in several tabs (an
// untitled one, a Windows-1252 CR LF page and a page of one long line among them) at random
// moments, saves now and then, and is killed with SIGKILL at a random moment, sometimes while it
// is still recovering the last round's pages. The next child recovers. Every tab must come back
// with at most the last second of typing missing, and no page file may be damaged.
//
// The child tells what it did on its standard output, one line each:
//   start <page> <time> <hash>   a tab as opened or recovered
//   state <page> <time> <hash>   a tab after an edit
//   saving <page> <hash>         the bytes a save is about to write
//   ready                        recovery is done, edits follow
// Times are the monotonic clock in milliseconds, which both processes share.
#include "common/scriptedprompts.h"
#include "common/windowharness.h"
#include "documents/documentcontroller.h"
#include "documents/filecommands.h"
#include "documents/recoverycontroller.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace {

constexpr int Rounds = 50;
constexpr qint64 AllowedLossMs = 1000;
const QByteArray DriverFlag = "--journal-driver";
const QByteArray CheckFlag = "--journal-check";

qint64 monotonicMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

QByteArray hashOf(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(16);
}
QByteArray hashOf(const QString &text) {
    return hashOf(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
}

// The pages every round works on, with their first contents.
QList<QPair<QString, QByteArray>> pageFiles() {
    QByteArray plain;
    for (int i = 0; i < 40; ++i)
        plain += "<P>Paragraph " + QByteArray::number(i) + " of the plain page.</P>\n";
    QByteArray legacy = "<HTML>\r\n<BODY>\r\n";
    for (int i = 0; i < 30; ++i)
        legacy += "<P>Gr\xFC\xDF"
                  "e " +
                  QByteArray::number(i) + "</P>\r\n";
    legacy += "</BODY>\r\n</HTML>\r\n";
    QByteArray longLine; // one line the editor shows in pieces
    for (int i = 0; longLine.size() < 12000; ++i)
        longLine += "<SPAN>" + QByteArray::number(i) + "</SPAN> ";
    longLine += "\n<P>after</P>\n";
    return {{"plain.htm", plain}, {"legacy.htm", legacy}, {"long.htm", longLine}};
}

// ---------------------------------------------------------------------------------------------
// The child

class Driver : public QObject {
public:
    Driver(const QString &work, quint32 seed, bool checkOnly) : m_rng(seed), m_check(checkOnly) {
        m_prompts.defaultAnswer = Prompts::Answer::No;
        m_ctx.prompts = &m_prompts;
        m_ctx.paths.configDir = work + "/config";
        m_ctx.paths.dataDir = work + "/data";
        m_ctx.paths.installDir = work + "/install";
        m_ctx.paths.recoveryDir = work + "/state/Marlo/recovery";
        m_ctx.settings.templateFile.clear();
        QDir().mkpath(m_ctx.paths.configDir);
        m_site = work + "/site";
        m_docs = new DocumentController(m_ctx, &m_tabs, nullptr);
        m_docs->createFirstDocument(m_site + "/New.htm");
        m_files = new FileCommands(m_ctx, *m_docs, m_commands, this);
        m_recovery = new RecoveryController(m_ctx, *m_docs, this);
        m_tabs.resize(800, 600);
        m_tabs.show();
    }

    ~Driver() override {
        delete m_recovery;
        delete m_files;
        m_docs->releaseAllEditors();
        delete m_docs;
    }

    void run() {
        m_recovery->offerRecovery([](const QList<RecoverablePage> &pages) {
            RecoveryChoice all{RecoveryChoice::Action::Recover, {}};
            for (int i = 0; i < pages.size(); ++i)
                all.pages << i;
            return all;
        });
        for (const auto &page : pageFiles()) {
            const QString path = m_site + "/" + page.first;
            bool open = false;
            for (int i = 0; i < m_docs->count(); ++i)
                open = open || m_docs->document(i).fileName() == path;
            if (!open)
                m_files->openFile(path);
        }
        bool untitled = false;
        for (int i = 0; i < m_docs->count(); ++i)
            untitled = untitled || isUntitledName(m_docs->document(i).fileName());
        if (!untitled)
            m_files->newDocument();
        for (int i = 0; i < m_docs->count(); ++i)
            say("start", m_docs->document(i));
        if (m_check) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return;
        }
        sayLine("ready");
        next();
    }

private:
    static void sayLine(const QByteArray &line) {
        const QByteArray l = line + '\n';
        // Straight to the pipe: nothing waits in a buffer when the kill comes.
        const ssize_t n = ::write(1, l.constData(), size_t(l.size()));
        Q_UNUSED(n);
    }
    void say(const char *what, const SourceDocument &doc) {
        sayLine(QByteArray(what) + ' ' + nameOf(doc) + ' ' + QByteArray::number(monotonicMs()) +
                ' ' + hashOf(doc.text()));
    }
    static QByteArray nameOf(const SourceDocument &doc) {
        return isUntitledName(doc.fileName()) ? QByteArray("untitled")
                                              : QFile::encodeName(fileNamePart(doc.fileName()));
    }

    int below(int n) { return n <= 0 ? 0 : int(m_rng.bounded(quint32(n))); }

    QString word() {
        static const QStringList parts = {"a",   "b",     "x", "<B>",  "</B>", "é",  "€", " ",
                                          "tag", "&amp;", "Ü", "<!--", "-->",  "\"", "q"};
        QString w;
        for (int i = 1 + below(6); i > 0; --i)
            w += parts[below(int(parts.size()))];
        return w;
    }

    void next() {
        // Bursts of typing with pauses between them, some longer than the journal's delay.
        const int pause = below(10) == 0 ? 200 + below(900) : below(40);
        QTimer::singleShot(pause, this, [this] {
            edit();
            next();
        });
    }

    void edit() {
        SourceDocument &doc = m_docs->document(below(m_docs->count()));
        m_docs->activate(doc);
        SourceEditor *ed = doc.activeView();
        const int length = doc.textLength();
        const int op = below(100);
        if (op < 40) {
            ed->setSelection(below(length + 1), 0);
            WindowHarness::typeInto(ed, word());
        } else if (op < 48) {
            ed->setSelection(below(length + 1), 0);
            QTest::keyClick(ed, Qt::Key_Return);
        } else if (op < 62) {
            ed->setSelection(below(length + 1), 0);
            for (int i = 1 + below(4); i > 0; --i)
                QTest::keyClick(ed, Qt::Key_Backspace);
        } else if (op < 72) {
            const int at = below(length + 1);
            doc.replaceRange(at, below(qMin(20, length - at + 1)), word());
        } else if (op < 78) {
            const int at = below(length + 1);
            ed->setSelection(at, below(qMin(30, length - at + 1)));
            WindowHarness::typeInto(ed, word());
        } else if (op < 86) {
            ed->undo();
        } else if (op < 91) {
            QString block;
            for (int i = 10 + below(60); i > 0; --i)
                block += word() + (below(4) == 0 ? "\n" : "");
            doc.replaceRange(below(length + 1), 0, block);
        } else if (op < 94 && !isUntitledName(doc.fileName()) && doc.isModified()) {
            sayLine("saving " + nameOf(doc) + ' ' +
                    hashOf(encodeDocument(doc.text(), doc.format())));
            m_files->save(doc);
        } else {
            return;
        }
        say("state", doc);
    }

    QRandomGenerator m_rng;
    bool m_check;
    ScriptedPrompts m_prompts;
    AppContext m_ctx;
    QString m_site;
    QTabWidget m_tabs;
    ActionRegistry m_commands{&m_tabs};
    DocumentController *m_docs;
    FileCommands *m_files;
    RecoveryController *m_recovery;
};

int runDriver(int argc, char **argv) {
    QApplication app(argc, argv);
    Driver driver(QString::fromLocal8Bit(argv[2]), quint32(QByteArray(argv[3]).toUInt()),
                  argc > 4 && argv[4] == CheckFlag);
    QTimer::singleShot(0, &driver, [&driver] { driver.run(); });
    return app.exec();
}

// ---------------------------------------------------------------------------------------------
// The test

struct Entry {
    qint64 time;
    QByteArray hash;
    qint64 killedAt; // the kill that ended the round it was made in; -1 while it runs
};

// A series of rounds on one folder of pages, each child recovering what the last one left.
class Chain {
public:
    explicit Chain(quint32 seed) : m_seed(seed) {}

    // Runs the rounds and a last child that only recovers; false on the first failure.
    bool run(int rounds);
    QStringList failures;
    qint64 longestLoss = 0;
    int lostStates = 0, tabsWithLoss = 0, edits = 0, saves = 0, early = 0, longRounds = 0;

private:
    bool prepare();
    bool runRound(quint32 seed, bool check, QByteArray *output, qint64 *killedAt);
    void follow(const QByteArray &output, int round);
    bool pageFilesWhole(int round);

    quint32 m_seed;
    QTemporaryDir m_work;
    QHash<QByteArray, QList<Entry>> m_timelines;
    QHash<QByteArray, QSet<QByteArray>> m_fileHashes; // what a page file may hold
};

bool Chain::prepare() {
    for (const auto &page : pageFiles()) {
        const QString path = m_work.filePath("site/" + page.first);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(page.second) != page.second.size())
            return false;
        m_fileHashes[page.first.toUtf8()].insert(hashOf(page.second));
    }
    return true;
}

bool Chain::run(int rounds) {
    if (!m_work.isValid() || !prepare()) {
        failures << "the pages could not be written";
        return false;
    }
    for (int round = 0; round <= rounds && failures.isEmpty(); ++round) {
        const bool check = round == rounds;
        QByteArray output;
        qint64 killedAt = -1;
        if (!runRound(m_seed + quint32(round), check, &output, &killedAt)) {
            failures << QStringLiteral("round %1 did not run: %2")
                            .arg(round)
                            .arg(QString::fromUtf8(output.right(300)));
            break;
        }
        early += !check && !output.contains("ready\n");
        follow(output, round);
        for (QList<Entry> &timeline : m_timelines)
            for (Entry &e : timeline)
                if (e.killedAt < 0)
                    e.killedAt = killedAt;
        pageFilesWhole(round);
    }
    if (failures.isEmpty() && m_timelines.size() != 4)
        failures << QStringLiteral("%1 tabs came back, not 4").arg(m_timelines.size());
    return failures.isEmpty();
}

bool Chain::runRound(quint32 seed, bool check, QByteArray *output, qint64 *killedAt) {
    QProcess child;
    QStringList args = {DriverFlag, m_work.path(), QString::number(seed)};
    if (check)
        args << CheckFlag;
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForStarted(10000))
        return false;
    if (check) {
        const bool done = child.waitForFinished(30000);
        *output = child.readAllStandardOutput();
        return done && child.exitCode() == 0;
    }
    // Now and then during the start, while the last round's pages are being recovered;
    // otherwise while the edits go on, for more than a second in some rounds.
    QRandomGenerator rng(seed ^ 0x5eed);
    const quint32 kind = rng.bounded(100);
    const bool early = kind < 15;
    const qint64 afterReady = kind < 40 ? 1000 + rng.bounded(1200) : rng.bounded(900);
    longRounds += !early && afterReady >= 1000;
    QElapsedTimer clock;
    clock.start();
    qint64 deadline = early ? 10 + rng.bounded(150) : -1;
    while (deadline < 0 || clock.elapsed() < deadline) {
        child.waitForReadyRead(deadline < 0 ? 20 : qMax<qint64>(1, deadline - clock.elapsed()));
        output->append(child.readAllStandardOutput());
        if (deadline < 0 && output->contains("ready\n"))
            deadline = clock.elapsed() + afterReady;
        if (child.state() != QProcess::Running || clock.elapsed() > 20000)
            return false;
    }
    ::kill(pid_t(child.processId()), SIGKILL);
    *killedAt = monotonicMs();
    child.waitForFinished(10000);
    output->append(child.readAllStandardOutput());
    return true;
}

void Chain::follow(const QByteArray &output, int round) {
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() == 3 && f[0] == "saving") {
            m_fileHashes[f[1]].insert(f[2]);
            ++saves;
        }
        if (f.size() != 4)
            continue;
        QList<Entry> &timeline = m_timelines[f[1]];
        const qint64 time = f[2].toLongLong();
        if (f[0] == "state") {
            timeline.append({time, f[3], -1});
            ++edits;
            continue;
        }
        if (f[0] != "start")
            continue;
        if (!timeline.isEmpty()) {
            // The tab came back as one of its states; every state after it was made less
            // than a second before the kill that ended its round.
            qsizetype found = timeline.size() - 1;
            while (found >= 0 && timeline[found].hash != f[3])
                --found;
            if (found < 0) {
                failures << QStringLiteral("round %1: %2 came back as a text it never had")
                                .arg(round)
                                .arg(QString(f[1]));
                continue;
            }
            for (qsizetype i = found + 1; i < timeline.size(); ++i) {
                const qint64 loss = timeline[i].killedAt - timeline[i].time;
                longestLoss = qMax(longestLoss, loss);
                ++lostStates;
                if (loss > AllowedLossMs)
                    failures << QStringLiteral("round %1: %2 lost an edit made %3 ms before "
                                               "the kill")
                                    .arg(round)
                                    .arg(QString(f[1]))
                                    .arg(loss);
            }
            tabsWithLoss += found + 1 < timeline.size();
            timeline.resize(found + 1);
        }
        timeline.append({time, f[3], -1});
    }
}

bool Chain::pageFilesWhole(int round) {
    // No page file is ever damaged: it holds its first bytes or those of a save.
    for (const auto &page : pageFiles()) {
        QFile f(m_work.filePath("site/" + page.first));
        const QByteArray name = page.first.toUtf8();
        if (!f.open(QIODevice::ReadOnly) || !m_fileHashes[name].contains(hashOf(f.readAll())))
            failures << QStringLiteral("round %1: %2 damaged").arg(round).arg(QString(name));
    }
    return failures.isEmpty();
}

} // namespace

class TestKillRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTabComesBackAfterAKill() {
        // Two series side by side, as the children mostly wait for their kill.
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        Chain first(seed), second(seed + 7919);
        std::thread other([&second] { second.run(Rounds / 2); });
        first.run(Rounds - Rounds / 2);
        other.join();
        QVERIFY2(first.failures.isEmpty(), qPrintable(first.failures.join('\n')));
        QVERIFY2(second.failures.isEmpty(), qPrintable(second.failures.join('\n')));
        qInfo("%d rounds (%d killed while starting, %d after more than a second of edits): "
              "%d edits, %d saves; %d tabs came back without their latest edits (%d in all), "
              "the oldest of them made %lld ms before the kill",
              Rounds, first.early + second.early, first.longRounds + second.longRounds,
              first.edits + second.edits, first.saves + second.saves,
              first.tabsWithLoss + second.tabsWithLoss, first.lostStates + second.lostStates,
              qMax(first.longestLoss, second.longestLoss));
    }
};

int main(int argc, char **argv) {
    if (argc >= 4 && argv[1] == DriverFlag)
        return runDriver(argc, argv);
    QCoreApplication app(argc, argv);
    TestKillRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killrecovery.moc"
