// A whole document: its top-level sections plus what applies to all of them (default fonts
// and colours, background, the font table, named anchors, title and base reference).
#pragma once

#include "viewer/cell.h"
#include "viewer/documentfont.h"
#include "viewer/readcheckpoint.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class SectionList : public Cell {
public:
    static constexpr int MaxFontNameLength = 32;

    SectionList();

    // Empties the sections, fonts, anchors, title, base and background picture; the defaults
    // stay.
    void clear();

    QString defaultFontName() const { return m_defaultFontName; }
    void setDefaultFontName(const QString &name) {
        m_defaultFontName = name.left(MaxFontNameLength);
    }
    QString preFontName() const { return m_preFontName; }
    void setPreFontName(const QString &name) { m_preFontName = name.left(MaxFontNameLength); }
    int defaultFontSize() const { return m_defaultFontSize; }
    void setDefaultFontSize(int points) { m_defaultFontSize = qBound(1, points, 200); }
    QRgb fontColor() const { return m_fontColor; }
    void setFontColor(QRgb c) { m_fontColor = c; }
    QRgb linkColor() const { return m_linkColor; }
    void setLinkColor(QRgb c) { m_linkColor = c; }
    QRgb backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(QRgb c) { m_backgroundColor = c; }
    QString backgroundImage() const { return m_backgroundImage; }
    void setBackgroundImage(const QString &name) { m_backgroundImage = name; }

    // The size actually used for a nominal size: scaled by the default font size.
    int scaledSize(int nominal) const;
    // The index of a font in the font table (added when new); its point size is scaled here.
    int fontId(DocumentFont font);
    const DocumentFont &font(int id) const { return m_fonts[size_t(id)]; }

    // Named anchors, upper-cased, with the section where each stands and where its tag starts,
    // in reading order; of several of a name the first counts. The sections must belong to the
    // document (a section is only freed together with the anchors that name it).
    struct AnchorPlace {
        QString name;
        const SectionBase *section = nullptr;
        int source = -1;
    };
    void setAnchors(std::vector<AnchorPlace> anchors);
    const std::vector<AnchorPlace> &anchorPlaces() const { return m_anchorPlaces; }
    const SectionBase *anchor(const QString &name) const;
    QStringList anchorNames() const { return m_anchors.keys(); }

    // The reader's checkpoints, by source offset (see ReadCheckpoint).
    std::vector<ReadCheckpoint> &checkpoints() { return m_checkpoints; }
    const std::vector<ReadCheckpoint> &checkpoints() const { return m_checkpoints; }

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    QString baseReference() const { return m_base; }
    void setBaseReference(const QString &base) { m_base = base; }

    // Lays the document out for a width; returns the height, widest width in maxWidth.
    int doLayout(LayoutContext &ctx, int width, int &maxWidth);
    // Number of global character positions (after the reader numbered them).
    int positionCount() const { return endPosition(); }

    // Lists the sections by where they were begun in the source (after reading).
    void indexSources();
    // The same after top-level sections [first, first + removed) were replaced by `added` new
    // ones and the source after `from` moved by `delta`.
    void updateSourceIndex(int first, int removed, int added, int from, int delta);
    // The document y and height of what the source offset became: the line of its text, or the
    // section begun last at or before it. False for a document without sections.
    bool placeOfSource(int source, int &y, int &height) const;

private:
    QString m_defaultFontName = QStringLiteral("Times New Roman");
    QString m_preFontName = QStringLiteral("Courier New");
    int m_defaultFontSize = 12;
    QRgb m_fontColor = 0xFF000000;
    QRgb m_linkColor = 0xFF0000FF;
    QRgb m_backgroundColor = 0xFFC0C0C0;
    QString m_backgroundImage;
    std::vector<DocumentFont> m_fonts;
    QHash<DocumentFont, int> m_fontIds;
    QHash<QString, const SectionBase *> m_anchors;
    std::vector<AnchorPlace> m_anchorPlaces;
    std::vector<ReadCheckpoint> m_checkpoints;
    QString m_title;
    QString m_base;
    std::vector<SourcePlace> m_bySource;
};
