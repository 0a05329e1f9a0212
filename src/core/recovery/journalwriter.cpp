#include "recovery/journalwriter.h"

#include "recovery/recoverytexts.h"
#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Large reads and writes go in slices: one system call over tens of megabytes was seen to hold
// up the window's thread for as long as it took.
constexpr qint64 Slice = qint64(1) << 20;

// Reads the page under the one rule for files a user names, a slice at a time.
FileRead readPage(const QString &path) {
    QFile file;
    FileRead r = openRegularFile(file, path, MaxDocumentBytes);
    if (!r.ok())
        return r;
    r.bytes.resize(r.size);
    qint64 used = 0;
    while (used < r.size) {
        const qint64 n = file.read(r.bytes.data() + used, qMin(Slice, r.size - used));
        if (n <= 0)
            return FileRead(); // failed, or the file shrank meanwhile
        used += n;
    }
    return r;
}

// The rename that put a journal in place reaches the disk with its folder.
void syncFolderOf(const QString &path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool writeAll(int fd, const char *data, qint64 size, int *err) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(qMin<qint64>(size, qint64(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *err = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

JournalWriter::JournalWriter(FailureHandler onFailure)
    : m_onFailure(std::move(onFailure)), m_thread([this] { run(); }) {}

JournalWriter::~JournalWriter() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
    for (auto &entry : m_open)
        close(entry.second);
}

void JournalWriter::startWithText(const QString &journal, const JournalHeader &header,
                                  const QString &text, qint64 timeMs) {
    Job job{Job::Kind::StartText, journal, header, text, {}, 0, 0, timeMs, {}};
    queue(std::move(job));
}

void JournalWriter::startWithPage(const QString &journal, const JournalHeader &header,
                                  const QString &pagePath, const FirstEdit &edit) {
    Job job{Job::Kind::StartPage, journal,     header, edit.inserted, pagePath, edit.position,
            edit.lengthAfter,     edit.timeMs, {}};
    queue(std::move(job));
}

void JournalWriter::append(const QString &journal, const QByteArray &records) {
    if (records.isEmpty())
        return;
    Job job{Job::Kind::Append, journal, {}, {}, {}, 0, 0, 0, records};
    queue(std::move(job));
}

void JournalWriter::remove(const QString &journal) {
    Job job{Job::Kind::Remove, journal, {}, {}, {}, 0, 0, 0, {}};
    queue(std::move(job));
}

void JournalWriter::queue(Job job) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void JournalWriter::waitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

bool JournalWriter::isIdle() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_jobs.empty() && !m_busy;
}

bool JournalWriter::isWritten(const QString &journal) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_good.count(journal) > 0;
}

qint64 JournalWriter::bytesWritten() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_written;
}

void JournalWriter::run() {
    // Background work: the window's thread comes first when the two want the processor.
    const int nice = ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), 10);
    Q_UNUSED(nice);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty()) // stopping, with everything done
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        process(job);
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

void JournalWriter::fail(const QString &journal, Failure failure, const QString &reason) {
    m_open[journal].failed = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_good.erase(journal);
    }
    if (m_onFailure)
        m_onFailure(journal, failure, reason);
}

void JournalWriter::close(Open &state) {
    if (state.fd >= 0)
        ::close(state.fd);
    state.fd = -1;
}

bool JournalWriter::writeWhole(const QString &journal, const QList<QByteArray> &pieces, Open *state,
                               QString *error) {
    close(*state);
    state->failed = true;
    // Replaced, never written through: a link at the name is not followed.
    AtomicFileWriter writer(journal, {AtomicFileWriter::Links::Replace, QString()});
    bool ok = writer.open();
    for (const QByteArray &piece : pieces)
        for (qint64 at = 0; ok && at < piece.size(); at += Slice)
            ok = writer.write(piece.constData() + at, qMin(Slice, piece.size() - at));
    if (!ok || !writer.commit()) {
        *error = writer.errorString();
        return false;
    }
    const qint64 size = writer.written();
    syncFolderOf(journal);
    state->fd = ::open(QFile::encodeName(journal).constData(),
                       O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (state->fd < 0) {
        *error = systemErrorText(errno);
        return false;
    }
    state->size = state->baseSize = size;
    state->failed = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_written += size;
    m_good.insert(journal);
    return true;
}

void JournalWriter::process(const Job &job) {
    Open &state = m_open[job.journal];
    QString error;
    switch (job.kind) {
    case Job::Kind::StartText: {
        const QList<QByteArray> start = {Journal::encodeHeader(job.header),
                                         Journal::textBaseHead(job.text, job.timeMs),
                                         Journal::textBaseBody(job.text)};
        if (!writeWhole(job.journal, start, &state, &error))
            fail(job.journal, Failure::WriteFailed, error);
        break;
    }
    case Job::Kind::StartPage: {
        close(state);
        state.failed = true;
        // The edits were made on the text the document read or last wrote; the file holds it
        // still when its stamp is the one the document knows, before and after the read.
        const FileRead read =
            fileStampOf(job.page) == job.header.diskStamp ? readPage(job.page) : FileRead();
        QString text;
        if (!read.ok() || fileStampOf(job.page) != job.header.diskStamp ||
            !Journal::pageText(read.bytes, &text)) {
            fail(job.journal, Failure::NeedsText, QString());
            break;
        }
        const qint64 length = text.size();
        text = QString();
        const qint64 removed = job.text.size() - (job.lengthAfter - length);
        if (removed < 0 || job.position < 0 || job.position + removed > length) {
            fail(job.journal, Failure::NeedsText, QString());
            break;
        }
        const QList<QByteArray> start = {
            Journal::encodeHeader(job.header),
            Journal::pageBaseHead(read.bytes, length, job.timeMs), read.bytes,
            Journal::encodeEdit(job.position, removed, job.text, job.timeMs)};
        if (!writeWhole(job.journal, start, &state, &error))
            fail(job.journal, Failure::WriteFailed, error);
        break;
    }
    case Job::Kind::Append:
        if (!state.failed && state.fd >= 0)
            appendRecords(job.journal, job.records);
        break;
    case Job::Kind::Remove: {
        close(state);
        m_open.erase(job.journal);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_good.erase(job.journal);
        ::unlink(QFile::encodeName(job.journal).constData());
        break;
    }
    }
}

void JournalWriter::appendRecords(const QString &journal, const QByteArray &records) {
    Open &state = m_open[journal];
    int err = 0;
    bool ok = writeAll(state.fd, records.constData(), records.size(), &err);
    if (ok && ::fdatasync(state.fd) != 0 && errno != EINVAL) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        // The records that went out whole stay readable, and a part of one at the end is what
        // the reader drops; the part is cut off all the same where the disk allows it.
        const int cut = ::ftruncate(state.fd, state.size);
        Q_UNUSED(cut);
        close(state);
        fail(journal, Failure::WriteFailed, systemErrorText(err));
        return;
    }
    state.size += records.size();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_written += records.size();
    }
    if (state.size - state.baseSize > qMax(m_rewriteThreshold.load(), state.baseSize))
        rewrite(journal);
}

void JournalWriter::rewrite(const QString &journal) {
    Open &state = m_open[journal];
    const JournalContents contents = readJournal(journal);
    QString error;
    if (!contents.ok) {
        close(state);
        fail(journal, Failure::NeedsText, QString());
        return;
    }
    const qint64 time = contents.lastChange.toMSecsSinceEpoch();
    const QList<QByteArray> start = {Journal::encodeHeader(contents.header),
                                     Journal::textBaseHead(contents.text, time),
                                     Journal::textBaseBody(contents.text)};
    if (!writeWhole(journal, start, &state, &error))
        fail(journal, Failure::WriteFailed, error);
}
