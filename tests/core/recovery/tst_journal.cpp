// Recovery journals read back: every base kind gives the page's text, a record cut short by a
// kill is dropped and nothing else is, damage anywhere else refuses the whole journal, the
// writer keeps a growing journal small, and a running instance's journals are never taken.
#include "common/testfiles.h"
#include "recovery/journalformat.h"
#include "recovery/journalwriter.h"
#include "recovery/recoverysession.h"
#include "recovery/recoverytexts.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

struct Edit {
    int position;
    int removed;
    QString inserted;
};
using Edits = QList<Edit>;

JournalHeader header(const QString &name = QStringLiteral("/web/page.htm")) {
    JournalHeader h;
    h.pageName = name;
    h.created = QDateTime::fromMSecsSinceEpoch(1700000000000);
    return h;
}

QByteArray edits(const Edits &list, qint64 time = 1700000001000) {
    QByteArray out;
    for (const Edit &e : list)
        out += Journal::encodeEdit(e.position, e.removed, e.inserted, time++);
    return out;
}

QString applied(QString text, const Edits &list) {
    for (const Edit &e : list)
        text.replace(e.position, e.removed, e.inserted);
    return text;
}

// A journal of a text base and three edits, with the offsets where each edit record starts.
QByteArray threeEdits(QList<qsizetype> *starts) {
    QByteArray j = Journal::encodeHeader(header()) +
                   Journal::encodeTextBase(QStringLiteral("<P>one</P>"), 1700000000500);
    for (const Edit &e : Edits{{3, 3, "two"}, {0, 0, "<BODY>"}, {16, 0, "\nthree"}}) {
        *starts << j.size();
        j += edits({e});
    }
    return j;
}

} // namespace

Q_DECLARE_METATYPE(Edits)

class TestJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyBaseReadsBackWithItsEdits_data() {
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QString>("baseText");
        QTest::addColumn<Edits>("changes");
        const QString odd = QStringLiteral("a\U0001F600b") + QChar(0xD800) + "c"; // lone surrogate
        QTest::newRow("text, with surrogates")
            << Journal::encodeTextBase(odd, 1) << odd << Edits{{1, 2, "é"}, {0, 0, "\n"}};
        const QByteArray crlf("<P>\r\nline</P>\r\n");
        QTest::newRow("page file, CR LF")
            << Journal::encodePageBase(crlf, 13, 1) << QString("<P>\nline</P>\n")
            << Edits{{4, 4, "€uro"}, {13, 0, "end"}};
        const QByteArray legacy("<P>Gr\xFC\xDF"
                                "e</P>");
        QTest::newRow("page file, Windows-1252") << Journal::encodePageBase(legacy, 12, 1)
                                                 << QString("<P>Grüße</P>") << Edits{{3, 5, ""}};
        const QByteArray utf16("\xFF\xFE<\0P\0>\0\x29\x20x\0", 12);
        QTest::newRow("page file, UTF-16 with a paragraph separator")
            << Journal::encodePageBase(utf16, 5, 1) << QString("<P>\nx") << Edits{{5, 0, "y"}};
        QTest::newRow("no edits") << Journal::encodeTextBase(QStringLiteral("x"), 1) << QString("x")
                                  << Edits{};
    }
    void everyBaseReadsBackWithItsEdits() {
        QFETCH(QByteArray, base);
        QFETCH(QString, baseText);
        QFETCH(Edits, changes);
        const JournalContents c =
            parseJournal(Journal::encodeHeader(header()) + base + edits(changes));
        QVERIFY2(c.ok, qPrintable(c.problem));
        QCOMPARE(c.text, applied(baseText, changes));
        QCOMPARE(c.edits, changes.size());
        QVERIFY(!c.tailDropped);
        QCOMPARE(c.header.pageName, QStringLiteral("/web/page.htm"));
    }

    void aRecordCutShortIsDroppedAndOnlyIt() {
        QList<qsizetype> starts;
        const QByteArray whole = threeEdits(&starts);
        const QString afterTwo = "<BODY><P>two</P>";
        for (qsizetype cut = starts[2] + 1; cut < whole.size(); ++cut) {
            const JournalContents c = parseJournal(whole.left(cut));
            QVERIFY2(c.ok && c.tailDropped && c.text == afterTwo, qPrintable(QString::number(cut)));
        }
        // A power cut can leave the end of the file as zeros.
        const JournalContents zeros = parseJournal(whole + QByteArray(100, '\0'));
        QVERIFY(zeros.ok && zeros.tailDropped);
        QCOMPARE(zeros.text, afterTwo + "\nthree");
    }

    void damagedJournalsAreRefusedWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QList<qsizetype> starts;
        const QByteArray good = threeEdits(&starts);
        auto flipped = [&good](qsizetype at) {
            QByteArray b = good;
            b[at] = char(b[at] ^ 0x40);
            return b;
        };
        QTest::newRow("foreign file")
            << QByteArray("<HTML>not a journal</HTML>") << RecoveryTexts::notAJournal();
        QTest::newRow("empty") << QByteArray() << RecoveryTexts::notAJournal();
        QByteArray later = good;
        later.replace(0, 16, "MARLO JOURNAL 9\n");
        QTest::newRow("later version") << later << RecoveryTexts::otherVersion();
        QTest::newRow("header") << flipped(30) << RecoveryTexts::damaged();
        QTest::newRow("base text") << flipped(starts[0] - 3) << RecoveryTexts::damaged();
        QTest::newRow("first of three edits")
            << flipped(starts[0] + 30) << RecoveryTexts::damaged();
        QTest::newRow("cut inside the base")
            << good.left(starts[0] - 2) << RecoveryTexts::damaged();
        // Whole records with good checksums that do not fit the text are no torn tail.
        QTest::newRow("edit beyond the text")
            << QByteArray(good + Journal::encodeEdit(40, 0, u"x", 1)) << RecoveryTexts::damaged();
        QTest::newRow("edit removing past the end")
            << QByteArray(good + Journal::encodeEdit(2, 40, u"", 1)) << RecoveryTexts::damaged();
        QTest::newRow("page base of another length")
            << QByteArray(Journal::encodeHeader(header()) +
                          Journal::encodePageBase("<P>x</P>", 9, 1))
            << RecoveryTexts::doesNotMatchPage();
        QTest::newRow("page base that is no text")
            << QByteArray(Journal::encodeHeader(header()) +
                          Journal::encodePageBase(QByteArray("a\0b", 3), 3, 1))
            << RecoveryTexts::doesNotMatchPage();
    }
    void damagedJournalsAreRefusedWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const JournalContents c = parseJournal(bytes);
        QVERIFY(!c.ok);
        QCOMPARE(c.problem, problem);
        QVERIFY(c.text.isEmpty());
    }

    void hugeJournalsAreNotRead() {
        QTemporaryDir dir;
        const QString path = dir.filePath("1.journal");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(Journal::MaxBytes + 1)); // sparse: nothing is really written
        f.close();
        const JournalContents c = readJournal(path);
        QVERIFY(!c.ok);
        QVERIFY2(c.problem.contains("more than"), qPrintable(c.problem));
    }

    void theWriterStartsFromThePageFileOnlyWhileItIsUnchanged_data() {
        QTest::addColumn<bool>("changeFile");
        QTest::newRow("unchanged") << false;
        QTest::newRow("changed by another program") << true;
    }
    void theWriterStartsFromThePageFileOnlyWhileItIsUnchanged() {
        QFETCH(bool, changeFile);
        QTemporaryDir dir;
        const QString page = dir.filePath("page.htm");
        writeFile(page, "<P>old</P>\r\n");
        JournalHeader h = header(page);
        h.diskStamp = fileStampOf(page);
        if (changeFile) {
            QTest::qWait(20);
            writeFile(page, "<P>new text</P>\n");
        }
        QStringList failures;
        const QString journal = dir.filePath("1.journal");
        {
            JournalWriter writer(
                [&failures](const QString &, JournalWriter::Failure f, const QString &) {
                    failures << (f == JournalWriter::Failure::NeedsText ? "text" : "write");
                });
            // "old" became "older": the file's text was 11 characters, it is 13 now.
            writer.startWithPage(journal, h, page, {3, "older", 13, 5});
            writer.waitUntilIdle();
        }
        if (changeFile) {
            QCOMPARE(failures, QStringList{"text"});
            QVERIFY(!QFile::exists(journal));
        } else {
            QVERIFY(failures.isEmpty());
            const JournalContents c = readJournal(journal);
            QVERIFY2(c.ok, qPrintable(c.problem));
            QCOMPARE(c.text, QStringLiteral("<P>older</P>\n"));
        }
    }

    void aGrowingJournalIsRewrittenFromItsOwnText() {
        QTemporaryDir dir;
        const QString journal = dir.filePath("1.journal");
        QString text = QStringLiteral("<P></P>");
        JournalWriter writer;
        writer.setRewriteThreshold(2048);
        writer.startWithText(journal, header(), text, 1);
        qint64 largest = 0;
        for (int i = 0; i < 400; ++i) {
            const int at = 3 + (i * 7) % (text.size() - 6);
            const Edit e{at, i % 3 == 0 ? 1 : 0, QString::number(i)};
            text.replace(e.position, e.removed, e.inserted);
            writer.append(journal, edits({e}, 1000 + i));
            writer.waitUntilIdle();
            largest = qMax(largest, QFileInfo(journal).size());
        }
        const JournalContents c = readJournal(journal);
        QVERIFY2(c.ok, qPrintable(c.problem));
        QCOMPARE(c.text, text);
        QCOMPARE(c.lastChange.toMSecsSinceEpoch(), 1399);
        // Never much more than the text twice over (base and edits); without the rewriting it
        // would hold every record.
        QVERIFY2(largest < 4 * text.size() + 2048 + 512, qPrintable(QString::number(largest)));
    }

    void aRunningInstancesJournalsAreLeftToIt() {
        QTemporaryDir dir;
        const QString recovery = dir.filePath("recovery");
        auto running = std::make_unique<RecoverySession>(recovery);
        QVERIFY(running->isValid());
        const QString journal = running->newJournalName();
        writeFile(journal, "x");
        QVERIFY(takeLeftSessions(recovery).empty());
        // A second instance has a folder of its own, and neither takes the other's.
        RecoverySession second(recovery);
        QVERIFY(second.isValid() && second.folder() != running->folder());
        QVERIFY(takeLeftSessions(recovery).empty());

        running.reset(); // the process that held it ended without closing its pages
        {
            const auto left = takeLeftSessions(recovery);
            QCOMPARE(int(left.size()), 1);
            QCOMPARE(left[0]->journals(), QStringList{journal});
            // Taken by one instance, it is offered to no other meanwhile.
            QVERIFY(takeLeftSessions(recovery).empty());
        }
        QVERIFY(QFile::exists(journal)); // let go, not deleted: still offered
        QFile::remove(journal);
        QCOMPARE(int(takeLeftSessions(recovery).size()), 1);
        // Once empty, the folder and its lock went with it.
        QCOMPARE(QDir(recovery).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
