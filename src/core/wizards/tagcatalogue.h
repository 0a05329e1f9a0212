// The tag wizard's vocabulary: every tag entry it lists, the attributes known for each, the
// attributes written without a value, and the rules that compose a start tag from them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Which browser alone understands a tag or attribute.
enum class BrowserMarker { None, NetscapeOnly, ExplorerOnly };

struct CatalogueEntry {
    QString text; // start-tag form, optionally " - " and the end tag; " ..." marks attributes
    BrowserMarker marker = BrowserMarker::None;
};

struct CatalogueAttribute {
    QString name;
    BrowserMarker marker = BrowserMarker::None;
};

// The tag entries in list order.
const QVector<CatalogueEntry> &catalogueEntries();

// The attributes known for an entry, in list order; empty for entries without attributes.
// The key is the entry's text before " - " (the whole text when there is none).
QVector<CatalogueAttribute> catalogueAttributes(const QString &entryText);

// The tag names of the entries ("TABLE"), each once, in list order; the comment and the
// document type declaration are no tags.
const QStringList &catalogueTagNames();
// The attributes known for a tag name (any case): those of its first entry that lists any.
QVector<CatalogueAttribute> catalogueAttributesOfTag(const QString &tagName);

// Attributes written without "=" and a value (ISMAP, NOWRAP ...).
bool isFlagAttribute(const QString &name);

// Captions explaining the two marker icons.
QString browserMarkerCaption(BrowserMarker marker);

struct ComposedTag {
    QString startTag;
    QString endTag;
};

// Double-click on an entry: the first " ..." goes, the part before " - " is the start tag and
// the part after it the end tag.
ComposedTag composeFromEntry(const QString &entryText);

// Double-click on an attribute: appended before the start tag's first ">" unless its name
// already occurs anywhere in the start tag (so VALIGN blocks ALIGN); flags get no value.
QString addAttribute(const QString &startTag, const QString &attribute);

// The help keyword of a tag text: "<TABLE>" for "<TABLE>...</TABLE>" and for
// "<TABLE BORDER=\"\">"; empty when the text has neither a blank nor ">".
QString helpKeyword(const QString &subject);
