// Copies a file, expanding it on the way when it is in the classic LZ "SZDD" compressed format
// (the format of files shipped with a trailing "_" in their name); any other file is copied byte
// for byte. Only regular files are copied (a pipe or a device never is), the destination is
// replaced atomically, so a failure never leaves half a file, and the copy keeps the source's
// permissions.
#pragma once

#include <QByteArray>
#include <QString>

class Prompts;

// Outcomes with the classic expander's numbers.
enum class CopyResult {
    Ok = 0,
    BadSourceHandle = -1,
    BadDestinationHandle = -2,
    BadFormat = -3,
    NoSpace = -4,
    OutOfMemory = -5,
    BadInternalHandle = -6,
    BadParameter = -7,
    UnknownAlgorithm = -8,
};

// The classic text for a result ("Unknown error" for a number outside the table).
QString copyResultText(CopyResult result);
QString copyResultText(int result);

struct CopyOutcome {
    CopyResult result = CopyResult::Ok;
    // What went wrong in plain words: the system's text ("Permission denied", "No space left on
    // device"), or the classic text where the system has none.
    QString reason;
    bool sourceNotRegular = false; // a folder, pipe, socket or device
    bool ok() const { return result == CopyResult::Ok; }
};

struct CopyOptions {
    bool expand = true; // false: SZDD files too are copied byte for byte (a move)
};

// Copies `source` to `destination`. A link at the destination is replaced, not written through.
// The bytes copied are those the source had when it was opened; a source that shrinks meanwhile
// fails the copy.
CopyOutcome copyRegularFile(const QString &source, const QString &destination,
                            const CopyOptions &options = {});
// "Can not copy <source> to <destination>: <reason>." (`verb` "move" for a move.)
QString copyFailureText(const QString &source, const QString &destination,
                        const CopyOutcome &outcome, const QString &verb = QStringLiteral("copy"));

// Copies `source` to `destination`, expanding. On failure shows the message through `prompts`
// (as an error; nothing is shown when `prompts` is null) and returns false.
bool copyFileExpanding(const QString &source, const QString &destination, Prompts *prompts);
// The same without a message, for callers that report on their own.
CopyResult copyFileExpandingResult(const QString &source, const QString &destination);

// Whether `head` starts with the SZDD signature.
bool isSzddCompressed(const QByteArray &head);
// Expands a whole SZDD file held in memory. BadFormat for a damaged or truncated file (its
// expanded size must match the header's), UnknownAlgorithm for a compression mode other than 'A'.
CopyResult expandSzdd(const QByteArray &compressed, QByteArray *expanded);
