#include "filepanel/multifilereplace.h"

#include "documents/documentfile.h"
#include "filepanel/filepaneltexts.h"
#include "text/plaintext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isPlainAscii(const QString &s) {
    for (const QChar c : s)
        if (c.unicode() >= 0x80 || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    return true;
}

bool hasHighBytes(const QByteArray &bytes) {
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL)
            return true;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return true;
    return false;
}

// Overlapping hits of `needle` in `hay`; with `anyCase` ASCII letters match either case. A byte
// matches a needle byte when it equals it after `fold` is or-ed in: 0x20 for letters (which
// makes "A" and "a" alike and nothing else) and 0 for any other byte. Candidates are found
// sixteen places at a time by the needle's first and last bytes, then checked whole.
int countBytes(const QByteArray &hay, const QByteArray &needle, bool anyCase) {
    const qsizetype m = needle.size();
    const qsizetype n = hay.size();
    if (m == 0 || n < m)
        return 0;
    std::vector<unsigned char> want(static_cast<size_t>(m)), fold(static_cast<size_t>(m));
    for (qsizetype k = 0; k < m; ++k) {
        unsigned char c = static_cast<unsigned char>(needle[k]);
        const bool letter = anyCase && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
        fold[size_t(k)] = letter ? 0x20 : 0;
        want[size_t(k)] = letter ? (c | 0x20) : c;
    }
    const auto *p = reinterpret_cast<const unsigned char *>(hay.constData());
    auto matchesAt = [&](qsizetype i) {
        for (qsizetype k = 0; k < m; ++k)
            if ((p[i + k] | fold[size_t(k)]) != want[size_t(k)])
                return false;
        return true;
    };
    int count = 0;
    qsizetype i = 0;
    const qsizetype last = n - m; // the last place a hit can start
#if defined(__SSE2__)
    const __m128i firstWant = _mm_set1_epi8(char(want[0]));
    const __m128i firstFold = _mm_set1_epi8(char(fold[0]));
    const __m128i lastWant = _mm_set1_epi8(char(want[size_t(m - 1)]));
    const __m128i lastFold = _mm_set1_epi8(char(fold[size_t(m - 1)]));
    for (; i + 15 <= last; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + m - 1));
        const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), firstWant),
                                          _mm_cmpeq_epi8(_mm_or_si128(b, lastFold), lastWant));
        unsigned bits = unsigned(_mm_movemask_epi8(hit));
        while (bits) {
            const int bit = __builtin_ctz(bits);
            bits &= bits - 1;
            if (matchesAt(i + bit))
                ++count;
        }
    }
#endif
    for (; i <= last; ++i)
        if (matchesAt(i))
            ++count;
    return count;
}

// Counting straight on the bytes gives the same result as on the decoded text when the needle
// is ASCII without line breaks: ASCII bytes stand for themselves in UTF-8 and Windows-1252, and
// line-end conversion cannot create or break such a match. Ignoring case, the only other letters
// that fold to ASCII ones are the Kelvin sign (k) and the long s (s): a needle holding k or s is
// counted on the bytes only in files of pure ASCII.
bool countFast(const QByteArray &bytes, const MultiFileRequest &r, int *count) {
    if (!isPlainAscii(r.needle) || bytes.contains('\0'))
        return false; // the full path reports the file as not a text file
    const bool anyCase = r.cs == Qt::CaseInsensitive;
    if (anyCase && (r.needle.contains(QLatin1Char('k'), Qt::CaseInsensitive) ||
                    r.needle.contains(QLatin1Char('s'), Qt::CaseInsensitive)) &&
        hasHighBytes(bytes))
        return false;
    *count = countBytes(bytes, r.needle.toLatin1(), anyCase);
    return true;
}

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

int countOccurrences(const QString &text, const QString &needle, Qt::CaseSensitivity cs) {
    if (needle.isEmpty())
        return 0;
    int count = 0;
    qsizetype at = text.indexOf(needle, 0, cs);
    while (at >= 0) {
        ++count;
        at = text.indexOf(needle, at + 1, cs);
    }
    return count;
}

// The text is rewritten in place, so that a large file is never held twice: a replacement that
// is not longer than the needle moves the text forward in one sweep; a longer one grows the text
// once and moves it from the back, using the hits found first.
int replaceOccurrences(QString &text, const QString &needle, const QString &replacement,
                       Qt::CaseSensitivity cs) {
    if (needle.isEmpty())
        return 0;
    const qsizetype m = needle.size();
    const qsizetype r = replacement.size();
    const qsizetype oldSize = text.size();
    const QChar *with = replacement.constData();
    if (r <= m) {
        qsizetype at = text.indexOf(needle, 0, cs);
        if (at < 0)
            return 0;
        int count = 0;
        QChar *d = text.data();
        qsizetype write = at;
        while (at >= 0) {
            ++count;
            std::copy(with, with + r, d + write);
            write += r;
            const qsizetype from = at + m;
            at = text.indexOf(needle, from, cs);
            const qsizetype to = at >= 0 ? at : oldSize;
            std::memmove(static_cast<void *>(d + write), d + from, size_t(to - from) * sizeof(QChar));
            write += to - from;
        }
        text.truncate(write);
        return count;
    }
    // Pages are far below 2 G characters: positions fit an int.
    std::vector<int> hits;
    for (qsizetype at = text.indexOf(needle, 0, cs); at >= 0; at = text.indexOf(needle, at + m, cs))
        hits.push_back(int(at));
    if (hits.empty())
        return 0;
    text.resize(oldSize + qsizetype(hits.size()) * (r - m));
    QChar *d = text.data();
    qsizetype write = text.size();
    qsizetype end = oldSize;
    for (size_t i = hits.size(); i-- > 0;) {
        const qsizetype from = hits[i] + m;
        write -= end - from;
        std::memmove(static_cast<void *>(d + write), d + from, size_t(end - from) * sizeof(QChar));
        write -= r;
        std::copy(with, with + r, d + write);
        end = hits[i];
    }
    return int(hits.size());
}

FileOutcome processFile(const QString &path, const MultiFileRequest &request) {
    // Files are read with "\n" line breaks and written back with their own; text pasted into
    // the fields may have other line ends, which would never match or would be doubled.
    MultiFileRequest r = request;
    r.needle = plainLineBreaks(r.needle);
    r.replacement = plainLineBreaks(r.replacement);
    FileOutcome o;
    o.path = path;
    o.done = true;
    if (r.mode == MultiFileRequest::Mode::Search) {
        // The same reader as opening a page: a pipe or device in the list can never block the
        // run, and a huge file is refused instead of filling the memory.
        QByteArray bytes;
        if (!readDocumentBytes(path, &bytes, &o.error))
            return o;
        if (countFast(bytes, r, &o.count))
            return o;
        DecodedText d = decodeDocument(bytes, shown(path));
        if (!d.ok) {
            // The decoder names the file and says what it is: binary, or text in an encoding
            // that is not supported (UTF-16 without a byte-order mark, UTF-32).
            o.error = d.error;
            return o;
        }
        o.count = countOccurrences(d.text, r.needle, r.cs);
        return o;
    }
    DecodedText d = loadDocumentFile(path);
    if (!d.ok) {
        o.error = d.error;
        return o;
    }
    o.count = replaceOccurrences(d.text, r.needle, r.replacement, r.cs);
    if (o.count == 0)
        return o;
    QString error;
    if (!saveDocumentFile(path, d.text, d.format, &error)) {
        o.error = FilePanelTexts::cannotWrite(path, error);
        return o;
    }
    o.changed = true;
    return o;
}

void removeStaleReplaceTemporaries(const QStringList &paths) {
    QSet<QString> folders;
    for (const QString &path : paths)
        folders.insert(QFileInfo(path).absolutePath());
    for (const QString &folder : folders)
        removeStaleTemporaries(folder);
}

qint64 memoryInFlight(qint64 fileSize) {
    // The bytes read, the text decoded from them (two bytes a character; a replacement grows it
    // in place) and, for a replacement, the bytes written back: about three times the file.
    return 3 * qBound(qint64(0), fileSize, MaxDocumentBytes) + 64 * 1024;
}

namespace {

// Lets files be worked on together only while their memory fits the budget; a file that needs
// more than the whole budget runs alone.
class MemoryBudget {
public:
    explicit MemoryBudget(qint64 bytes) : m_budget(bytes) {}

    // Waits until `bytes` fit; false (nothing taken) when the run is cancelled meanwhile.
    bool take(qint64 bytes, const std::atomic_bool *cancel) {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_inFlight > 0 && m_inFlight + bytes > m_budget) {
            if (cancel && cancel->load())
                return false;
            // Cancelling does not wake the wait; looking again now and then is enough.
            m_freed.wait_for(lock, std::chrono::milliseconds(50));
        }
        if (cancel && cancel->load())
            return false;
        m_inFlight += bytes;
        return true;
    }
    void give(qint64 bytes) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_inFlight -= bytes;
        }
        m_freed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_freed;
    const qint64 m_budget;
    qint64 m_inFlight = 0;
};

} // namespace

QVector<FileOutcome> processFiles(const QStringList &paths, const MultiFileRequest &request,
                                  const std::atomic_bool *cancel,
                                  const std::function<void(int)> &progress, int threads) {
    if (request.mode == MultiFileRequest::Mode::Replace)
        removeStaleReplaceTemporaries(paths);
    QVector<FileOutcome> outcomes(paths.size());
    for (int i = 0; i < paths.size(); ++i)
        outcomes[i].path = paths[i];
    std::atomic_int next{0};
    std::atomic_int finished{0};
    MemoryBudget budget(MultiFileMemoryBudget);
    auto work = [&] {
        while (!(cancel && cancel->load())) {
            const int i = next.fetch_add(1);
            if (i >= paths.size())
                return;
            const qint64 memory = memoryInFlight(QFileInfo(paths[i]).size());
            if (!budget.take(memory, cancel))
                return;
            outcomes[i] = processFile(paths[i], request);
            budget.give(memory);
            const int done = finished.fetch_add(1) + 1;
            if (progress)
                progress(done);
        }
    };
    // Replacing waits mostly for the disk (every file is synced when it is replaced), so more
    // threads than cores keep it busy.
    if (threads <= 0)
        threads = qMax(1, QThread::idealThreadCount()) *
                  (request.mode == MultiFileRequest::Mode::Replace ? 4 : 1);
    threads = qMin(threads, int(paths.size()));
    std::vector<std::unique_ptr<QThread>> pool;
    for (int t = 1; t < threads; ++t) {
        pool.emplace_back(QThread::create(work));
        pool.back()->start();
    }
    work();
    for (auto &t : pool)
        t->wait();
    return outcomes;
}

QStringList outcomeLines(const QVector<FileOutcome> &outcomes, MultiFileRequest::Mode mode) {
    QStringList lines;
    int hits = 0, skipped = 0, written = 0, unwritten = 0;
    for (const FileOutcome &o : outcomes) {
        if (!o.done) {
            ++skipped;
            continue;
        }
        if (o.count > 0)
            ++hits; // a file that could not be written held the string all the same
        if (!o.error.isEmpty()) {
            lines << o.error;
            unwritten += o.count > 0;
            continue;
        }
        if (o.count <= 0)
            continue;
        if (mode == MultiFileRequest::Mode::Search) {
            lines << FilePanelTexts::foundIn(o.count, o.path);
        } else {
            lines << FilePanelTexts::replacedIn(o.count, o.path);
            ++written;
        }
    }
    if (hits == 0)
        lines << FilePanelTexts::notFound();
    else if (unwritten > 0)
        lines << FilePanelTexts::writtenAndFailed(written, unwritten);
    if (skipped > 0)
        lines << FilePanelTexts::cancelled(skipped, int(outcomes.size()));
    return lines;
}
