// Builds files in the classic LZ "SZDD" compressed format, so tests can check the expander
// against data they made themselves.
#pragma once

#include <QByteArray>

#include <cstring>

inline QByteArray szddHeader(quint32 expandedSize, char mode = 'A') {
    QByteArray h("SZDD\x88\xF0\x27\x33", 8);
    h += mode;
    h += '_';
    for (int i = 0; i < 4; ++i)
        h += char((expandedSize >> (8 * i)) & 0xFF);
    return h;
}

// Greedy LZSS with the expander's 4096-byte window (spaces, start at 4096 - 16). Matches may
// overlap the bytes they produce, exactly as the expander copies them.
inline QByteArray szddCompress(const QByteArray &data) {
    constexpr int N = 4096, MaxLen = 18, MinLen = 3;
    unsigned char window[N];
    std::memset(window, ' ', N);
    int pos = N - 16;
    QByteArray out = szddHeader(quint32(data.size()));
    const int n = int(data.size());
    int i = 0;
    while (i < n) {
        const int flagAt = int(out.size());
        out += char(0);
        unsigned char flags = 0;
        for (int bit = 0; bit < 8 && i < n; ++bit) {
            int bestLen = 0, bestOff = 0;
            for (int off = 0; off < N; ++off) {
                int len = 0;
                while (len < MaxLen && i + len < n) {
                    const int j = (off + len) & (N - 1);
                    const int d = (j - pos) & (N - 1);
                    const unsigned char c =
                        d < len ? static_cast<unsigned char>(data[i + d]) : window[j];
                    if (c != static_cast<unsigned char>(data[i + len]))
                        break;
                    ++len;
                }
                if (len > bestLen) {
                    bestLen = len;
                    bestOff = off;
                }
            }
            if (bestLen >= MinLen) {
                out += char(bestOff & 0xFF);
                out += char(((bestOff >> 4) & 0xF0) | (bestLen - MinLen));
            } else {
                bestLen = 1;
                flags |= 1 << bit;
                out += data[i];
            }
            for (int k = 0; k < bestLen; ++k) {
                window[pos] = static_cast<unsigned char>(data[i + k]);
                pos = (pos + 1) & (N - 1);
            }
            i += bestLen;
        }
        out[flagAt] = char(flags);
    }
    return out;
}
