#include "filepanel/multifilereplace.h"

#include "documents/documentfile.h"
#include "filepanel/filepaneltexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <cstring>
#include <vector>

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

// Overlapping hits of `needle` in `hay`; with `anyCase` ASCII letters match either case (the
// bytes are lower-cased into a buffer of the calling thread first, a loop the compiler turns into
// vector code, and glibc's memmem does the search).
int countBytes(const QByteArray &hay, const QByteArray &needle, bool anyCase) {
    const size_t m = size_t(needle.size());
    const size_t n = size_t(hay.size());
    if (m == 0 || n < m)
        return 0;
    const char *p = hay.constData();
    QByteArray pattern = needle;
    if (anyCase) {
        thread_local std::vector<unsigned char> lowered;
        lowered.resize(n);
        const auto *in = reinterpret_cast<const unsigned char *>(p);
        unsigned char *out = lowered.data();
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = in[i];
            out[i] = static_cast<unsigned char>(c + ((c >= 'A' && c <= 'Z') ? 32 : 0));
        }
        p = reinterpret_cast<const char *>(lowered.data());
        pattern = pattern.toLower();
    }
    int count = 0;
    const char *at = p;
    const char *end = p + n;
    while (size_t(end - at) >= m) {
        const void *hit = memmem(at, size_t(end - at), pattern.constData(), m);
        if (!hit)
            break;
        ++count;
        at = static_cast<const char *>(hit) + 1; // overlapping hits count too
    }
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

int replaceOccurrences(QString &text, const QString &needle, const QString &replacement,
                       Qt::CaseSensitivity cs) {
    if (needle.isEmpty())
        return 0;
    int count = 0;
    QString out;
    qsizetype from = 0;
    qsizetype at = text.indexOf(needle, 0, cs);
    while (at >= 0) {
        if (count == 0)
            out.reserve(text.size() + replacement.size());
        out += QStringView(text).mid(from, at - from);
        out += replacement;
        ++count;
        from = at + needle.size();
        at = text.indexOf(needle, from, cs);
    }
    if (count == 0)
        return 0;
    out += QStringView(text).mid(from);
    text = out;
    return count;
}

FileOutcome processFile(const QString &path, const MultiFileRequest &r) {
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
    auto work = [&] {
        while (!(cancel && cancel->load())) {
            const int i = next.fetch_add(1);
            if (i >= paths.size())
                return;
            outcomes[i] = processFile(paths[i], request);
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
