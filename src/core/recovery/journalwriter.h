// Writes recovery journals on a thread of its own, so that neither typing nor a pause on a large
// page waits for the disk. Jobs run in the order they are queued: a journal is started whole
// through the atomic writer (a kill leaves the old journal or the new one, never a part), edit
// records are appended and synced, and a journal that has grown well past its base is rewritten
// from its own replayed text. Owned by the recovery controller; destroying it finishes the jobs
// queued so far.
#pragma once

#include "recovery/journalformat.h"

#include <QList>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

class JournalWriter {
public:
    enum class Failure {
        NeedsText,   // the page file is not the text the edits were made on: start from the text
        WriteFailed, // the disk refused (full, read-only); the journal takes no more edits
    };
    // Called on the writer's thread; a failed journal ignores its edits until started again.
    using FailureHandler =
        std::function<void(const QString &journal, Failure failure, const QString &reason)>;

    // The first edit of a page whose base is its file: `inserted` replaced what stood at
    // `position` of the file's text, leaving a text of `lengthAfter` characters.
    struct FirstEdit {
        qint64 position = 0;
        QString inserted;
        qint64 lengthAfter = 0;
        qint64 timeMs = 0;
    };

    explicit JournalWriter(FailureHandler onFailure = {});
    ~JournalWriter();
    JournalWriter(const JournalWriter &) = delete;
    JournalWriter &operator=(const JournalWriter &) = delete;

    // (Re)starts `journal` with the page's whole text as its base.
    void startWithText(const QString &journal, const JournalHeader &header, const QString &text,
                       qint64 timeMs);
    // (Re)starts `journal` with the bytes of the page's file as its base, when the file still
    // has the header's stamp, then the first edit. Otherwise reports NeedsText.
    void startWithPage(const QString &journal, const JournalHeader &header, const QString &pagePath,
                       const FirstEdit &edit);
    // Appends encoded edit records and syncs them.
    void append(const QString &journal, const QByteArray &records);
    void remove(const QString &journal);
    // Blocks until every job queued so far is done.
    void waitUntilIdle();
    // Whether every job queued so far is done.
    bool isIdle() const;

    // A journal is rewritten once the edits appended to it exceed this or its base, whichever is
    // larger. Changeable for tests.
    void setRewriteThreshold(qint64 bytes) { m_rewriteThreshold = bytes; }
    // Whether the journal's last start reached the disk and nothing failed since.
    bool isWritten(const QString &journal) const;
    // Bytes written to journals so far.
    qint64 bytesWritten() const;

private:
    struct Job {
        enum class Kind { StartText, StartPage, Append, Remove } kind;
        QString journal;
        JournalHeader header;
        QString text; // the base text, or the first edit's inserted text
        QString page;
        qint64 position = 0;
        qint64 lengthAfter = 0;
        qint64 timeMs = 0;
        QByteArray records;
    };
    struct Open {
        int fd = -1;
        qint64 size = 0;     // bytes known good
        qint64 baseSize = 0; // of the header and base
        bool failed = false;
    };

    void queue(Job job);
    void run();
    void process(const Job &job);
    // Writes the pieces as the journal's new content, in one atomic replacement.
    bool writeWhole(const QString &journal, const QList<QByteArray> &pieces, Open *state,
                    QString *error);
    void appendRecords(const QString &journal, const QByteArray &records);
    void rewrite(const QString &journal);
    void close(Open &state);
    void fail(const QString &journal, Failure failure, const QString &reason);

    FailureHandler m_onFailure;
    std::map<QString, Open> m_open; // the writer thread's own
    std::atomic<qint64> m_rewriteThreshold{qint64(8) << 20};

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    qint64 m_written = 0;
    std::set<QString> m_good; // journals started and not failed since
    std::thread m_thread;
};
