// The benchmarks' work page: a generated HTML document of about 10 MB in 200,000 lines with
// nested tags and attributes, comments (one- and multi-line), long lines and some non-ASCII text.
// Deterministic: the same bytes on every run and machine.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace BenchPage {

constexpr int Lines = 200000;
// Planted in every second line, so a Replace All has exactly Lines / 2 hits.
inline const char *const ReplaceNeedle = "zq7";

class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint32 next() {
        // xorshift64*: fixed arithmetic, so the page never depends on the standard library.
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return quint32((m_state * 2685821657736338717ull) >> 32);
    }
    int below(int n) { return int(next() % quint32(n)); }

private:
    quint64 m_state;
};

// The page as UTF-8 bytes with LF line ends (no final line break).
inline QByteArray generate(int lines = Lines) {
    static const char *const words[] = {"lorem", "ipsum", "dolor",       "sit",    "amet",
                                        "page",  "table", "list",        "header", "footer",
                                        "Grüße", "café",  "naïve",       "Zürich", "€ 20",
                                        "déjà",  "Ærø",   "smörgåsbord", "über",   "piñata"};
    static const char *const tags[] = {"div", "span", "p", "td", "li", "em", "strong", "a", "b"};
    constexpr int wordCount = int(sizeof(words) / sizeof(words[0]));
    constexpr int tagCount = int(sizeof(tags) / sizeof(tags[0]));

    Random rnd(0x4D61726C6FULL);
    QByteArray out;
    out.reserve(11 * 1024 * 1024);
    int depth = 0;
    bool inComment = false;
    for (int line = 0; line < lines; ++line) {
        QByteArray l;
        l.append(QByteArray(qMin(depth, 12), ' '));
        const int kind = rnd.below(1000);
        if (inComment) {
            l.append("  commented out: ");
            l.append(words[rnd.below(wordCount)]);
            if (rnd.below(4) == 0) {
                l.append(" -->");
                inComment = false;
            }
        } else if (kind < 60) {
            l.append("<!-- note ");
            l.append(QByteArray::number(line));
            l.append(" <b>not a tag</b> -->");
        } else if (kind < 70) {
            l.append("<!-- begin of a longer comment");
            inComment = true;
        } else if (kind < 180) {
            for (int w = 0; w < 5 + rnd.below(5); ++w) {
                l.append(words[rnd.below(wordCount)]);
                l.append(' ');
            }
            if (rnd.below(20) == 0)
                l.append("a < b and c > d ");
        } else if (kind < 185) {
            // A long line: a whole table row of cells.
            l.append("<tr>");
            const int cells = 60 + rnd.below(60);
            for (int c = 0; c < cells; ++c) {
                l.append("<td class=\"cell");
                l.append(QByteArray::number(c));
                l.append("\">");
                l.append(words[rnd.below(wordCount)]);
                l.append("</td>");
            }
            l.append("</tr>");
        } else if (kind < 600 || depth == 0) {
            const char *tag = tags[rnd.below(tagCount)];
            l.append('<');
            l.append(tag);
            l.append(" class=\"c");
            l.append(QByteArray::number(rnd.below(500)));
            l.append("\" title=\"");
            l.append(words[rnd.below(wordCount)]);
            l.append(' ');
            l.append(words[rnd.below(wordCount)]);
            l.append("\">");
            l.append(words[rnd.below(wordCount)]);
            l.append(' ');
            l.append(words[rnd.below(wordCount)]);
            if (rnd.below(3) == 0) {
                l.append("</");
                l.append(tag);
                l.append('>');
            } else {
                ++depth;
            }
        } else {
            l.append("</div>");
            --depth;
        }
        if (line % 2 == 0)
            l.append(" zq7");
        out.append(l);
        if (line + 1 < lines)
            out.append('\n');
    }
    return out;
}

} // namespace BenchPage
