// Which dialog a selected tag is edited in: the first tag of the selection decides, by its name
// and its attribute names (never by attribute values or spacing).
#pragma once

#include <QString>

enum class TagKind { None, Body, Link, MailLink, Anchor, Image, Title, Embed, BaseFont, Font, Form };

struct TagClassification {
    TagKind kind = TagKind::None;
    // The text the dialog edits: the first tag, or for links and anchors the whole element from
    // its "<" through the first "</A>".
    QString editedText;
    // Where editedText starts within the classified selection.
    int offset = 0;
};

TagClassification classifyTag(const QString &selection);
// The context-menu caption offered for a kind, e.g. "Edit <IMG> tag..."; empty for None.
QString editCaption(TagKind kind);
