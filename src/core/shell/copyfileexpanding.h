// Copies a file, expanding it on the way when it is in the classic LZ "SZDD" compressed format
// (the format of files shipped with a trailing "_" in their name); any other file is copied byte
// for byte. The destination is replaced atomically, so a failure never leaves half a file.
#pragma once

#include <QByteArray>
#include <QString>

class Prompts;
class QIODevice;

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

// The message shown for a result ("Unknown error" for a number outside the table).
QString copyResultText(CopyResult result);
QString copyResultText(int result);

// Copies `source` to `destination`. On failure shows the message through `prompts` (as an error;
// nothing is shown when `prompts` is null) and returns false.
bool copyFileExpanding(const QString &source, const QString &destination, Prompts *prompts);
// The same without a message, for callers that report on their own.
CopyResult copyFileExpandingResult(const QString &source, const QString &destination);

// Whether `head` starts with the SZDD signature.
bool isSzddCompressed(const QByteArray &head);
// Expands a whole SZDD file held in memory. BadFormat for a damaged or truncated file (its
// expanded size must match the header's), UnknownAlgorithm for a compression mode other than 'A'.
CopyResult expandSzdd(const QByteArray &compressed, QByteArray *expanded);
// Copies an open readable device to an open writable one, expanding SZDD input. A write that
// fails for lack of space gives NoSpace, any other write failure BadDestinationHandle.
CopyResult copyExpanding(QIODevice &source, QIODevice &destination);
