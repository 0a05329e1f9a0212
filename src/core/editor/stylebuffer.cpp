#include "editor/stylebuffer.h"

#include <algorithm>

namespace {

constexpr size_t PerWord = StyleBuffer::FieldsPerWord;

size_t wordsFor(size_t fields) {
    return (fields + PerWord - 1) / PerWord;
}

quint64 pattern(CharStyle style) {
    return quint64(style) * 0x5555555555555555ull;
}

constexpr auto get = StyleBuffer::field;
constexpr auto put = StyleBuffer::setField;

// The 32 fields from field i on, which need not start a word.
quint64 read32(const quint64 *w, size_t i) {
    const size_t k = i / PerWord;
    const unsigned shift = i % PerWord * 2;
    return shift == 0 ? w[k] : (w[k] >> shift) | (w[k + 1] << (64 - shift));
}

// Copies n fields from field s of sw to field d of dw, whole words where it can. Within one array
// (sw == dw) the copy runs forwards when d < s and backwards when d > s, so that every field is
// read before anything is written over it: a word written covers only fields already read.
void copyForward(quint64 *dw, size_t d, const quint64 *sw, size_t s, size_t n) {
    for (; n > 0 && d % PerWord != 0; --n)
        put(dw, d++, get(sw, s++));
    for (; n >= PerWord; n -= PerWord, d += PerWord, s += PerWord)
        dw[d / PerWord] = read32(sw, s);
    for (; n > 0; --n)
        put(dw, d++, get(sw, s++));
}

void copyBackward(quint64 *dw, size_t d, const quint64 *sw, size_t s, size_t n) {
    size_t de = d + n;
    size_t se = s + n;
    for (; n > 0 && de % PerWord != 0; --n)
        put(dw, --de, get(sw, --se));
    for (; n >= PerWord; n -= PerWord) {
        de -= PerWord;
        se -= PerWord;
        dw[de / PerWord] = read32(sw, se);
    }
    for (; n > 0; --n)
        put(dw, --de, get(sw, --se));
}

void fillFields(quint64 *w, size_t i, size_t n, CharStyle style) {
    for (; n > 0 && i % PerWord != 0; --n)
        put(w, i++, unsigned(style));
    std::fill(w + i / PerWord, w + (i + n) / PerWord, pattern(style));
    i += n / PerWord * PerWord;
    for (n %= PerWord; n > 0; --n)
        put(w, i++, unsigned(style));
}

} // namespace

template <typename F> void StyleBuffer::forParts(int pos, int count, F f) const {
    const int before = std::clamp(m_gapStart - pos, 0, count);
    if (before > 0)
        f(size_t(pos), 0, before);
    if (count > before)
        f(size_t(pos + before + gapLength()), before, count - before);
}

void StyleBuffer::clear() {
    m_words.clear();
    m_words.shrink_to_fit();
    m_fields = m_gapStart = m_gapEnd = 0;
}

void StyleBuffer::reset(int size, int gap, CharStyle fill) {
    size = std::max(0, size);
    gap = std::max(0, gap);
    m_words.assign(wordsFor(size_t(size) + size_t(gap)), pattern(fill));
    m_fields = size + gap;
    m_gapStart = 0;
    m_gapEnd = gap;
}

void StyleBuffer::resize(int newSize, CharStyle fillStyle) {
    const int old = size();
    if (newSize > old)
        insert(old, newSize - old, fillStyle);
    else if (newSize < old)
        remove(newSize, old - newSize);
}

void StyleBuffer::moveGap(int pos) {
    const int gap = gapLength();
    if (gap > 0 && pos < m_gapStart) // [pos, gapStart) moves to the end of the gap
        copyBackward(m_words.data(), size_t(pos + gap), m_words.data(), size_t(pos),
                     size_t(m_gapStart - pos));
    else if (gap > 0 && pos > m_gapStart) // [gapEnd, pos + gap) moves to the start of the gap
        copyForward(m_words.data(), size_t(m_gapStart), m_words.data(), size_t(m_gapEnd),
                    size_t(pos - m_gapStart));
    m_gapStart = pos;
    m_gapEnd = pos + gap;
}

void StyleBuffer::ensureGap(int count) {
    if (gapLength() >= count)
        return;
    const int used = size();
    // Grow by an eighth of the content as well, so that a run of insertions stays linear.
    const int newGap = std::max(count, used / 8 + 4096);
    std::vector<quint64> grown(wordsFor(size_t(used) + size_t(newGap)));
    copyForward(grown.data(), 0, m_words.data(), 0, size_t(m_gapStart));
    copyForward(grown.data(), size_t(m_gapStart + newGap), m_words.data(), size_t(m_gapEnd),
                size_t(used - m_gapStart));
    m_words.swap(grown);
    m_fields = used + newGap;
    m_gapEnd = m_gapStart + newGap;
}

void StyleBuffer::insert(int pos, int count, CharStyle style) {
    if (count <= 0)
        return;
    pos = std::clamp(pos, 0, size());
    ensureGap(count);
    moveGap(pos);
    fillFields(m_words.data(), size_t(m_gapStart), size_t(count), style);
    m_gapStart += count;
}

void StyleBuffer::remove(int pos, int count) {
    pos = std::clamp(pos, 0, size());
    count = std::min(count, size() - pos);
    if (count <= 0)
        return;
    moveGap(pos);
    m_gapEnd += count;
}

void StyleBuffer::fill(int pos, int count, CharStyle style) {
    pos = std::clamp(pos, 0, size());
    count = std::min(count, size() - pos);
    if (count <= 0)
        return;
    quint64 *w = m_words.data();
    forParts(pos, count, [w, style](size_t at, int, int n) { fillFields(w, at, size_t(n), style); });
}

void StyleBuffer::write(int pos, int count, const CharStyle *styles) {
    if (pos < 0 || count <= 0 || pos + count > size())
        return;
    quint64 *w = m_words.data();
    forParts(pos, count, [w, styles](size_t at, int offset, int n) {
        const CharStyle *from = styles + offset;
        for (; n > 0 && at % PerWord != 0; --n)
            put(w, at++, unsigned(*from++));
        for (; n >= int(PerWord); n -= int(PerWord), at += PerWord) {
            quint64 word = 0;
            for (unsigned k = 0; k < PerWord; ++k)
                word |= quint64(*from++) << (2 * k);
            w[at / PerWord] = word;
        }
        for (; n > 0; --n)
            put(w, at++, unsigned(*from++));
    });
}

void StyleBuffer::copyTo(int pos, int count, CharStyle *out) const {
    const quint64 *w = m_words.data();
    forParts(pos, count, [w, out](size_t at, int offset, int n) {
        CharStyle *to = out + offset;
        for (; n > 0 && at % PerWord != 0; --n)
            *to++ = CharStyle(get(w, at++));
        for (; n >= int(PerWord); n -= int(PerWord), at += PerWord) {
            const quint64 word = w[at / PerWord];
            for (unsigned k = 0; k < PerWord; ++k)
                *to++ = CharStyle((word >> (2 * k)) & 3u);
        }
        for (; n > 0; --n)
            *to++ = CharStyle(get(w, at++));
    });
}

quint64 StyleBuffer::hash(int pos, int count) const {
    // FNV-1a over the styles on both sides of the gap.
    quint64 h = 14695981039346656037ull;
    const quint64 *w = m_words.data();
    forParts(pos, count, [w, &h](size_t at, int, int n) {
        for (size_t end = at + size_t(n); at < end; ++at) {
            h ^= quint64(get(w, at));
            h *= 1099511628211ull;
        }
    });
    return h ^ quint64(count);
}
