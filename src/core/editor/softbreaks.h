// Lines too long to lay out quickly as a whole (minified pages put megabytes on one line) are held
// by the editor's document in pieces, one block each. The separators between the pieces of a line
// are soft breaks: they belong to the document but not to the text. This keeps their document
// positions, sorted, and converts between document positions (soft breaks counted) and text
// positions (not counted).
#pragma once

#include <QString>
#include <vector>

class SoftBreaks {
public:
    // A text position where a soft break lies has two document positions: the end of the piece
    // before the break and the start of the piece after it.
    enum Bias { BeforeBreak, AfterBreak };

    bool isEmpty() const { return m_breaks.empty(); }
    int count() const { return int(m_breaks.size()); }
    const std::vector<int> &positions() const { return m_breaks; }
    int at(int index) const { return m_breaks[size_t(index)]; }
    void clear() { m_breaks.clear(); }
    void assign(std::vector<int> positions) { m_breaks = std::move(positions); }

    bool contains(int docPos) const;
    // Soft breaks at document positions below docPos.
    int countBefore(int docPos) const;
    // Soft breaks in the document positions [from, to).
    int countIn(int from, int to) const { return countBefore(to) - countBefore(from); }
    int toText(int docPos) const { return docPos - countBefore(docPos); }
    int toDoc(int textPos, Bias bias) const;

    // The document changed: `removed` characters at docPos became `added` ones. Breaks inside the
    // removed stretch are gone (returns how many), those behind it move.
    int remove(int docPos, int removed, int added);
    // Adds breaks at these document positions (of the changed document).
    void add(std::vector<int> docPositions);

    // The characters of document text `raw` (starting at document position docStart) that are
    // text: the soft breaks taken out.
    QString strip(const QString &raw, int docStart) const;

    // Cuts every line of `text` ("\n" breaks) longer than `longLine` into pieces of at most
    // `piece` characters, preferably just after a ">" or a space near the piece's end, never
    // inside a surrogate pair. Returns the document text (a "\n" at each cut) and puts the cuts'
    // document positions in `breaks`. Without a long line the text comes back as it is.
    static QString split(const QString &text, int longLine, int piece, std::vector<int> *breaks);

private:
    std::vector<int> m_breaks;
};
