// A run of text with its fonts, links, pictures and form controls, broken into lines around
// floated pictures and list indents by layout. Also the base of preformatted lines and list items.
#pragma once

#include "viewer/inlineobject.h"
#include "viewer/sectionbase.h"
#include "viewer/sourcemap.h"

#include <QString>
#include <QStringView>
#include <vector>

struct DocumentFont;
struct FontMetricsInfo;

class TextSection : public SectionBase {
public:
    enum Alignment { AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };

    // Text from `start` on uses this font (an index into the document's font table) and link.
    struct Run {
        int start = 0;
        int fontId = 0;
        QString link;
        int linkSource = -1; // where the link's tag starts in the source
    };
    struct Line {
        int start = 0; // first character
        int end = 0;   // one past the last character
        int x = 0;     // cell coordinates
        int y = 0;     // document coordinates
        int height = 0;
        int baseline = 0; // document y of the baseline
        int width = 0;    // without trailing spaces
    };

    TextSection(int level, int alignment, int fontId, const QString &link);
    Kind kind() const override { return Kind::Text; }

    // Text and objects added later use this font and link (whose tag starts at linkSource).
    void setStyle(int fontId, const QString &link, int linkSource = -1);
    // Appends a piece of text read where `sources` says; a leading space is dropped when the
    // text so far is empty or ends in a space, so that runs of white space across pieces show
    // as one space.
    virtual void addText(QStringView text, const SourceMap &sources = SourceMap());
    // Appends a picture or control whose tag starts at `source`.
    void addObject(InlineObject object, int source = -1);
    // Appends text as it is, in the current style; it stands for the source offset `source`.
    void appendText(QStringView text, int source = -1);

    const QString &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    int level() const { return m_level; }
    int listLevel() const override { return m_level; }
    int indent() const;
    int alignment() const { return m_alignment; }
    int fontId() const { return m_fontId; }
    const QString &link() const { return m_link; }
    int linkSource() const { return m_linkSource; }
    const std::vector<Run> &runs() const { return m_runs; }
    const std::vector<Line> &lines() const { return m_lines; }
    const std::vector<InlineObject> &objects() const { return m_objects; }
    // Global position of the first character.
    int position() const { return m_position; }
    // The font of the character at i (the first run's for an empty section).
    int fontIdAt(int i) const;

    int layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
               int &maxWidth) override;
    void minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) override;
    void draw(DrawContext &dc) const override;
    void shiftY(int dy) override;
    void invalidateMetrics() override;
    QString linkAt(QPoint p) const override;
    int cursorAt(QPoint p) const override;
    bool cursorToPoint(int position, QPoint &p, int &lineHeight) const override;
    void copyText(int from, int to, QString &out) const override;
    int findText(const QString &lowerText, int from) const override;
    int assignPositions(int start) override;
    int sourceAt(int position, const QString &link) const override;
    void placeOfSource(int source, int &y, int &height) const override;
    const SourceMap &sources() const { return m_sources; }
    void shiftSource(int from, int delta) override;

protected:
    // Appends text of which the characters from `skip` on are kept, read where `sources` says.
    void appendMapped(QStringView text, const SourceMap &sources, int skip);

    // The right edge lines may reach at y.
    virtual int rightEdge(const IndentManager &indents, int y) const;
    // Bullets and numbers of list items.
    virtual void drawMarker(DrawContext &) const {}
    // The width of all characters (inline objects included).
    int totalWidth() const;
    void measure(LayoutContext &ctx);

    int runIndexAt(int i) const;
    const DocumentFont &fontOf(const DrawContext &dc, int runIndex) const;
    int firstLeft() const { return m_firstLeft; }
    int firstBaseline() const;

    QString m_text;
    std::vector<Run> m_runs;
    std::vector<InlineObject> m_objects;
    int m_level = 0;
    int m_alignment = AlignLeft;
    int m_fontId = 0;
    QString m_link;
    int m_linkSource = -1;
    SourceMap m_sources;

    std::vector<Line> m_lines;
    std::vector<int> m_advances;
    bool m_measured = false;
    int m_minWidth = -1;
    int m_maxWidth = -1;
    int m_position = 0;
    int m_firstLeft = 0;

private:
    static bool isSpace(QChar c) { return c.unicode() == ' '; }
    void ensureRun();
    int breakLine(int pos, int fitting) const;
    Line finishLine(LayoutContext &ctx, int start, int end, int y, int left, int right);
    void placeLineObjects(const Line &line, int fontTop, int tallest);
    bool hasUnplacedFloat(int start, int end) const;
    void placeFloats(IndentManager &indents, int start, int end, int y, bool leadingOnly,
                     int &maxWidth);
    void sizeObject(LayoutContext &ctx, InlineObject &object);
    void drawObject(DrawContext &dc, const InlineObject &object, bool selected) const;
    int charAtX(const Line &line, int x, bool nearest) const;
};
