#include "editor/softbreaks.h"

#include <algorithm>
#include <climits>

bool SoftBreaks::contains(int docPos) const {
    return std::binary_search(m_breaks.begin(), m_breaks.end(), docPos);
}

int SoftBreaks::countBefore(int docPos) const {
    return int(std::lower_bound(m_breaks.begin(), m_breaks.end(), docPos) - m_breaks.begin());
}

int SoftBreaks::toDoc(int textPos, Bias bias) const {
    // Break i sits in front of text position m_breaks[i] - i; that key never decreases with i.
    int low = 0;
    int high = count();
    while (low < high) {
        const int mid = (low + high) / 2;
        const int key = m_breaks[size_t(mid)] - mid;
        if (key < textPos || (bias == AfterBreak && key == textPos))
            low = mid + 1;
        else
            high = mid;
    }
    return textPos + low;
}

int SoftBreaks::remove(int docPos, int removed, int added) {
    const int end = int(std::min<qint64>(qint64(docPos) + removed, INT_MAX));
    const auto first = std::lower_bound(m_breaks.begin(), m_breaks.end(), docPos);
    const auto last = std::lower_bound(first, m_breaks.end(), end);
    const int gone = int(last - first);
    const auto behind = m_breaks.erase(first, last);
    for (auto it = behind; it != m_breaks.end(); ++it)
        *it += added - removed;
    return gone;
}

void SoftBreaks::add(std::vector<int> docPositions) {
    if (docPositions.empty())
        return;
    std::sort(docPositions.begin(), docPositions.end());
    // New breaks come in a stretch that has none yet: one insertion keeps the order.
    const auto first = std::lower_bound(m_breaks.begin(), m_breaks.end(), docPositions.front());
    if (first == m_breaks.end() || *first > docPositions.back()) {
        m_breaks.insert(first, docPositions.begin(), docPositions.end());
        return;
    }
    const auto middle = m_breaks.insert(m_breaks.end(), docPositions.begin(), docPositions.end());
    std::inplace_merge(m_breaks.begin(), middle, m_breaks.end());
    m_breaks.erase(std::unique(m_breaks.begin(), m_breaks.end()), m_breaks.end());
}

QString SoftBreaks::strip(const QString &raw, int docStart) const {
    auto it = std::lower_bound(m_breaks.begin(), m_breaks.end(), docStart);
    const auto end = std::lower_bound(it, m_breaks.end(), docStart + int(raw.size()));
    if (it == end)
        return raw;
    QString out;
    out.reserve(raw.size() - (end - it));
    int from = 0;
    for (; it != end; ++it) {
        const int at = *it - docStart;
        out.append(QStringView(raw).mid(from, at - from));
        from = at + 1;
    }
    out.append(QStringView(raw).mid(from));
    return out;
}

QString SoftBreaks::split(const QString &text, int longLine, int piece, std::vector<int> *breaks) {
    breaks->clear();
    piece = std::max(piece, 16);
    const qsizetype size = text.size();
    const QChar *s = text.constData();
    QString out;
    qsizetype copied = 0; // text[0, copied) is in `out`
    qsizetype lineStart = 0;
    while (lineStart <= size) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = size;
        if (lineEnd - lineStart > longLine) {
            if (out.isNull())
                out.reserve(size + size / piece + 16);
            qsizetype at = lineStart;
            while (lineEnd - at > piece) {
                qsizetype cut = at + piece;
                for (qsizetype k = cut; k > at + piece * 3 / 4; --k) {
                    if (s[k - 1] == u'>' || s[k - 1] == u' ') {
                        cut = k;
                        break;
                    }
                }
                if (s[cut - 1].isHighSurrogate() && s[cut].isLowSurrogate())
                    --cut;
                out.append(QStringView(text).mid(copied, cut - copied));
                breaks->push_back(int(out.size()));
                out.append(u'\n');
                copied = cut;
                at = cut;
            }
        }
        lineStart = lineEnd + 1;
    }
    if (breaks->empty())
        return text;
    out.append(QStringView(text).mid(copied));
    return out;
}
