#include "viewer/qtfontmetrics.h"

#include <QStringList>

struct QtFontMetrics::Entry {
    QFont font;
    QFontMetrics fm;
    FontMetricsInfo info;
    std::array<int, 256> latin;
    QHash<char32_t, int> other;

    explicit Entry(const QFont &f) : font(f), fm(f) {
        info.ascent = fm.ascent();
        info.descent = fm.descent();
        info.height = info.ascent + info.descent;
        for (int i = 0; i < 256; ++i)
            latin[size_t(i)] = fm.horizontalAdvance(QChar(char16_t(i)));
    }
};

QtFontMetrics::QtFontMetrics() = default;
QtFontMetrics::~QtFontMetrics() = default;

void QtFontMetrics::clear() {
    m_entries.clear();
    m_last = nullptr;
}

QFont QtFontMetrics::qfont(const DocumentFont &wanted) const {
    return entry(wanted).font;
}

QtFontMetrics::Entry &QtFontMetrics::entry(const DocumentFont &wanted) const {
    if (m_last && m_lastKey == wanted)
        return *m_last;
    auto it = m_entries.find(wanted);
    if (it == m_entries.end()) {
        // FACE may list several families, the first installed one wins.
        QStringList families;
        for (const QString &name : wanted.family.split(u','))
            if (!name.trimmed().isEmpty())
                families << name.trimmed();
        QFont f(families.value(0));
        if (families.size() > 1)
            f.setFamilies(families);
        if (wanted.fixedPitch)
            f.setStyleHint(QFont::Monospace);
        int size = wanted.pointSize;
        if (wanted.script != DocumentFont::Normal)
            size = qMax(1, size * 3 / 4);
        f.setPointSize(qMax(1, size));
        f.setBold(wanted.bold);
        f.setItalic(wanted.italic);
        f.setUnderline(wanted.underline);
        // Drawing places each run at the sum of its characters' advances; without kerning the
        // drawn text matches that sum.
        f.setKerning(false);
        // Hinted advances are whole pixels, so the sum of the characters' advances is the
        // width the text is drawn with.
        f.setHintingPreference(QFont::PreferFullHinting);
        it = m_entries.insert(wanted, std::make_shared<Entry>(f));
    }
    m_lastKey = wanted;
    m_last = it->get();
    return *m_last;
}

FontMetricsInfo QtFontMetrics::metrics(const DocumentFont &wanted) const {
    return entry(wanted).info;
}

void QtFontMetrics::advances(const DocumentFont &wanted, QStringView text, int *widths) const {
    Entry &e = entry(wanted);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 256) {
            widths[i] = e.latin[c];
            continue;
        }
        char32_t code = c;
        qsizetype len = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
            len = 2;
        }
        auto it = e.other.constFind(code);
        int w;
        if (it != e.other.constEnd()) {
            w = *it;
        } else {
            w = e.fm.horizontalAdvance(text.mid(i, len).toString());
            e.other.insert(code, w);
        }
        widths[i] = w;
        if (len == 2)
            widths[++i] = 0;
    }
}
