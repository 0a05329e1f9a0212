#include "shell/copyfileexpanding.h"

#include "shell/prompts.h"

#include <QFile>
#include <QFileDevice>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

constexpr char Signature[] = "SZDD\x88\xF0\x27\x33";
constexpr int SignatureLength = 8;
constexpr int HeaderLength = 14; // signature, mode, last character, 32-bit expanded size
constexpr int WindowSize = 4096;
constexpr qint64 ChunkSize = 1 << 16;

// A failed write of a full disk must say so; everything else is a destination problem.
CopyResult writeFailure(const QIODevice &device) {
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    if (file && file->error() == QFileDevice::ResourceError)
        return CopyResult::NoSpace;
    const QString text = device.errorString();
    if (text.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))) ||
        text.contains(QString::fromLocal8Bit(std::strerror(EDQUOT))))
        return CopyResult::NoSpace;
    return CopyResult::BadDestinationHandle;
}

bool writeAll(QIODevice &device, const char *data, qint64 size) {
    while (size > 0) {
        const qint64 n = device.write(data, size);
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
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

CopyResult copyExpanding(QIODevice &source, QIODevice &destination) {
    const QByteArray head = source.peek(HeaderLength);
    if (isSzddCompressed(head)) {
        const QByteArray compressed = source.readAll();
        QByteArray expanded;
        const CopyResult r = expandSzdd(compressed, &expanded);
        if (r != CopyResult::Ok)
            return r;
        if (!writeAll(destination, expanded.constData(), expanded.size()))
            return writeFailure(destination);
        return CopyResult::Ok;
    }
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = source.read(buffer.data(), ChunkSize);
        if (n < 0)
            return CopyResult::BadSourceHandle;
        if (n == 0)
            break;
        if (!writeAll(destination, buffer.constData(), n))
            return writeFailure(destination);
    }
    return CopyResult::Ok;
}

CopyResult copyFileExpandingResult(const QString &source, const QString &destination) {
    QFile in(source);
    if (source.isEmpty() || !in.open(QIODevice::ReadOnly))
        return CopyResult::BadSourceHandle;
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows in its count:
    // buffered, the short write is lost in the flush and commit() would replace the old file
    // with the truncated new one.
    QSaveFile out(destination);
    if (destination.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return CopyResult::BadDestinationHandle;
    const CopyResult r = copyExpanding(in, out);
    if (r != CopyResult::Ok) {
        out.cancelWriting();
        return r;
    }
    if (!out.commit())
        return writeFailure(out);
    return CopyResult::Ok;
}

bool copyFileExpanding(const QString &source, const QString &destination, Prompts *prompts) {
    const CopyResult r = copyFileExpandingResult(source, destination);
    if (r == CopyResult::Ok)
        return true;
    if (prompts)
        prompts->error(copyResultText(r));
    return false;
}
