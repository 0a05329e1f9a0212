// Counting and replacing a string across many files on disk. Files are read with the documents'
// encoding rules and written back in their own encoding, byte-order mark and line ends; a file in
// which nothing was replaced is never rewritten. Work runs on several threads, as many files at
// a time as their memory allows, and can be cancelled between files.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <functional>

// Occurrences of `needle` in `text`, overlapping ones included ("aa" in "aaaa" is 3).
int countOccurrences(const QString &text, const QString &needle, Qt::CaseSensitivity cs);
// Replaces every occurrence from left to right, going on after each inserted replacement (so
// "a" -> "ab" in "aa" gives "abab"); returns the number of replacements.
int replaceOccurrences(QString &text, const QString &needle, const QString &replacement,
                       Qt::CaseSensitivity cs);

struct MultiFileRequest {
    enum class Mode { Search, Replace };
    Mode mode = Mode::Search;
    QString needle;
    QString replacement;
    Qt::CaseSensitivity cs = Qt::CaseInsensitive;
};

struct FileOutcome {
    QString path;
    int count = 0;
    bool done = false;    // false when the run was cancelled before this file
    bool changed = false; // the file was rewritten
    QString error;        // why the file could not be read or written
};

// One file: counts (Search) or replaces and writes back (Replace).
FileOutcome processFile(const QString &path, const MultiFileRequest &request);

// Removes the temporaries that an earlier replace, killed half-way, left in the folders of
// `paths` (a replace does this before it writes).
void removeStaleReplaceTemporaries(const QStringList &paths);

// Files worked on at the same time hold together at most about this much memory (a larger file
// runs alone).
constexpr qint64 MultiFileMemoryBudget = qint64(512) << 20;
// The memory a file of this size takes while it is searched or replaced in.
qint64 memoryInFlight(qint64 fileSize);

// All files, in parallel on up to `threads` threads (0: one per core) as far as the memory
// budget allows. `progress` is called from the worker threads with the number of files
// finished. Files not begun when `cancel` turns true come back with done = false. Outcomes are
// in the order of `paths`.
QVector<FileOutcome> processFiles(const QStringList &paths, const MultiFileRequest &request,
                                  const std::atomic_bool *cancel = nullptr,
                                  const std::function<void(int)> &progress = {},
                                  int threads = 0);

// The result list: one line per file with hits ("Found search string N time(s) in ...",
// "Made N replacement(s) in ..."), one per file that failed, "Search string not found" when no
// file had a hit, and a last line when the run was cancelled.
QStringList outcomeLines(const QVector<FileOutcome> &outcomes, MultiFileRequest::Mode mode);
