// What completion offers in a context and what choosing an item puts into the page: tag names
// and attributes from the tag catalogue, attribute values from the dialogs' lists, colours from
// the colour list, entities from the entity tables, and the elements a "</" may close.
#pragma once

#include "completion/completioncontext.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

struct CompletionItem {
    QString text;   // the name or value as it goes in ("TABLE", "&eacute;", "MIDDLE")
    QString detail; // shown beside it: the character of an entity
    QColor color;   // the swatch of a colour
};

struct CompletionSources {
    QStringList colors;        // the items of the colour drop-downs, previously used ones included
    QStringList openElements;  // for "</": the elements it may close, innermost first, as spelled
};

// The items that fit what was typed (compared without regard to case; for entities the names
// that match in case come first), in the case they go in.
QVector<CompletionItem> completionItems(const CompletionContext &context,
                                        const CompletionSources &sources);

// Putting an item in: replace `length` characters from `from` (relative to the caret) by `text`,
// then put the caret `caret` characters behind `from`.
struct CompletionEdit {
    int from = 0;
    int length = 0;
    QString text;
    int caret = 0;
};
// A tag name goes in as it is; an attribute as NAME="" with the caret between the quotes (a flag
// attribute bare); a value closes its quotes and leaves the caret behind them; "</" gets the
// name and ">"; an entity its whole "&name;".
CompletionEdit completionEdit(const CompletionContext &context, const CompletionItem &item);
