// One thing the page check found: how serious it is, where it is and what it says.
#pragma once

#include <QList>
#include <QString>

struct PageFinding {
    enum class Severity { Error, Warning, Info };

    Severity severity = Severity::Warning;
    // From 1; 0 when the finding is about the whole page (the doctype the checker used).
    int line = 0;
    // From 1, in characters of the line as the editor counts them (a character outside the
    // Basic Multilingual Plane counts two, a tab one).
    int column = 0;
    // The markup checker's name for the kind of finding ("MISSING_ENDTAG_FOR"), or
    // BrokenFileKind / BrokenAnchorKind for a broken link.
    QString kind;
    QString message;

    bool isBrokenLink() const;
};

inline const QString BrokenFileKind = QStringLiteral("missing file");
inline const QString BrokenAnchorKind = QStringLiteral("missing anchor");

inline bool PageFinding::isBrokenLink() const {
    return kind == BrokenFileKind || kind == BrokenAnchorKind;
}

using PageFindings = QList<PageFinding>;
