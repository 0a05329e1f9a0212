#include "shell/copyfileexpanding.h"

#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"
#include "shell/prompts.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <limits>

namespace {

constexpr char Signature[] = "SZDD\x88\xF0\x27\x33";
constexpr int SignatureLength = 8;
constexpr int HeaderLength = 14; // signature, mode, last character, 32-bit expanded size
constexpr int WindowSize = 4096;
constexpr qint64 ChunkSize = 1 << 16;
// Compressed files are expanded in memory; shipped ones are a few kilobytes.
constexpr qint64 MaxCompressedBytes = qint64(64) << 20;

CopyOutcome outcome(CopyResult result, const QString &reason = QString()) {
    CopyOutcome o;
    o.result = result;
    o.reason = reason.isEmpty() ? copyResultText(result) : reason;
    return o;
}

// A write that failed for lack of room (a full disk, a quota, a file-size limit) says so; any
// other is a destination problem.
CopyOutcome writeFailure(const AtomicFileWriter &out) {
    const int err = out.errorNumber();
    const bool space = err == ENOSPC || err == EDQUOT || err == EFBIG;
    return outcome(space ? CopyResult::NoSpace : CopyResult::BadDestinationHandle,
                   out.errorString());
}

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString copyResultText(int result) {
    switch (result) {
    case -1:
        return QStringLiteral("Invalid Source file handle");
    case -2:
        return QStringLiteral("Invalid Destination file handle");
    case -3:
        return QStringLiteral("Source file format is not valid");
    case -4:
        return QStringLiteral("There is insufficient space for the output file");
    case -5:
        return QStringLiteral("Insufficient memory for the required buffers");
    case -6:
        return QStringLiteral("Internal data structure handle invalid");
    case -7:
        return QStringLiteral("Input parameter is out of range");
    case -8:
        return QStringLiteral(
            "The Source file was compressed with an unrecognized compression algorithm");
    default:
        return QStringLiteral("Unknown error");
    }
}

QString copyResultText(CopyResult result) {
    return copyResultText(int(result));
}

bool isSzddCompressed(const QByteArray &head) {
    return head.size() >= SignatureLength &&
           std::memcmp(head.constData(), Signature, SignatureLength) == 0;
}

CopyResult expandSzdd(const QByteArray &compressed, QByteArray *expanded) {
    if (!isSzddCompressed(compressed) || compressed.size() < HeaderLength)
        return CopyResult::BadFormat;
    if (compressed.at(8) != 'A')
        return CopyResult::UnknownAlgorithm;
    const auto *in = reinterpret_cast<const uchar *>(compressed.constData());
    const quint32 size = quint32(in[10]) | (quint32(in[11]) << 8) | (quint32(in[12]) << 16) |
                         (quint32(in[13]) << 24);
    // Every input byte yields at most 18 / 2 * 8 / 9 < 9 output bytes: a header claiming more
    // than that is damaged, and the check keeps a forged size from allocating gigabytes.
    const qint64 inputLength = compressed.size() - HeaderLength;
    if (qint64(size) > inputLength * 9)
        return CopyResult::BadFormat;

    QByteArray out(qsizetype(size), Qt::Uninitialized);
    char *dst = out.data();
    qint64 produced = 0;
    uchar window[WindowSize];
    std::memset(window, ' ', WindowSize);
    int pos = WindowSize - 16;

    qint64 i = HeaderLength;
    const qint64 end = compressed.size();
    while (i < end && produced < qint64(size)) {
        const uchar flags = in[i++];
        for (int bit = 0; bit < 8 && i < end && produced < qint64(size); ++bit) {
            if (flags & (1 << bit)) {
                const uchar c = in[i++];
                dst[produced++] = char(c);
                window[pos] = c;
                pos = (pos + 1) & (WindowSize - 1);
                continue;
            }
            if (i + 1 >= end)
                return CopyResult::BadFormat; // half a match reference
            const int b0 = in[i++];
            const int b1 = in[i++];
            int offset = b0 | ((b1 & 0xF0) << 4);
            const int length = (b1 & 0x0F) + 3;
            for (int k = 0; k < length; ++k) {
                if (produced >= qint64(size))
                    return CopyResult::BadFormat;
                const uchar c = window[offset];
                offset = (offset + 1) & (WindowSize - 1);
                dst[produced++] = char(c);
                window[pos] = c;
                pos = (pos + 1) & (WindowSize - 1);
            }
        }
    }
    // Running out of input before the promised size means a truncated file; input left over
    // after it means the header's size is wrong.
    if (produced != qint64(size) || i != end)
        return CopyResult::BadFormat;
    *expanded = std::move(out);
    return CopyResult::Ok;
}

CopyOutcome copyRegularFile(const QString &source, const QString &destination,
                            const CopyOptions &options) {
    QFile in;
    const FileRead opened =
        openRegularFile(in, source, std::numeric_limits<qint64>::max());
    if (!opened.ok()) {
        CopyOutcome o = outcome(CopyResult::BadSourceHandle,
                                readProblemReason(opened, std::numeric_limits<qint64>::max()));
        o.sourceNotRegular = opened.status == FileRead::Status::NotRegular;
        return o;
    }
    if (destination.isEmpty())
        return outcome(CopyResult::BadDestinationHandle, systemErrorText(ENOENT));

    AtomicFileWriter::Options writing;
    writing.links = AtomicFileWriter::Links::Replace;
    writing.permissionsOf = source;
    AtomicFileWriter out(destination, writing);

    const QByteArray head = in.peek(HeaderLength);
    if (options.expand && isSzddCompressed(head)) {
        if (opened.size > MaxCompressedBytes)
            return outcome(CopyResult::OutOfMemory);
        const QByteArray compressed = in.read(opened.size);
        if (compressed.size() != opened.size)
            return outcome(CopyResult::BadSourceHandle, in.errorString());
        QByteArray expanded;
        const CopyResult r = expandSzdd(compressed, &expanded);
        if (r != CopyResult::Ok)
            return outcome(r);
        if (!out.open())
            return outcome(CopyResult::BadDestinationHandle, out.errorString());
        if (!out.write(expanded) || !out.commit())
            return writeFailure(out);
        return CopyOutcome();
    }

    if (!out.open())
        return outcome(CopyResult::BadDestinationHandle, out.errorString());
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    qint64 left = opened.size; // a file that grows meanwhile is copied as it was
    while (left > 0) {
        const qint64 n = in.read(buffer.data(), qMin(ChunkSize, left));
        if (n < 0)
            return outcome(CopyResult::BadSourceHandle, in.errorString());
        if (n == 0)
            return outcome(CopyResult::BadSourceHandle,
                           QStringLiteral("it became shorter while it was copied"));
        if (!out.write(buffer.constData(), n))
            return writeFailure(out);
        left -= n;
    }
    // The copy is checked before it takes the name: every byte of the source went out.
    if (out.written() != opened.size)
        return outcome(CopyResult::BadDestinationHandle,
                       QStringLiteral("the copy is incomplete"));
    if (!out.commit())
        return writeFailure(out);
    return CopyOutcome();
}

QString copyFailureText(const QString &source, const QString &destination,
                        const CopyOutcome &o, const QString &verb) {
    if (o.sourceNotRegular)
        return QStringLiteral("Can not %1 %2: %3.").arg(verb, shown(source), o.reason);
    return QStringLiteral("Can not %1 %2 to %3: %4.")
        .arg(verb, shown(source), shown(destination), o.reason);
}

CopyResult copyFileExpandingResult(const QString &source, const QString &destination) {
    return copyRegularFile(source, destination).result;
}

bool copyFileExpanding(const QString &source, const QString &destination, Prompts *prompts) {
    const CopyOutcome o = copyRegularFile(source, destination);
    if (o.ok())
        return true;
    if (prompts)
        prompts->error(copyFailureText(source, destination, o));
    return false;
}
