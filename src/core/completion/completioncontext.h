// Where the caret stands for completion while typing: in a tag name after "<", among a start
// tag's attributes, in a quoted attribute value, after "</", after "&" in text, or where nothing
// is completed (in a comment, in text outside tags). Looks only at a bounded stretch of text
// around the caret, with the colour coding's idea of tags and comments.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

enum class CompletionKind { None, TagName, AttributeName, AttributeValue, CloseTag, Entity };

struct CompletionContext {
    CompletionKind kind = CompletionKind::None;
    // What was typed of the name or value; it ends at the caret. For an entity without the "&".
    QString prefix;
    // Characters of the same name or value right after the caret, replaced with the prefix.
    int tail = 0;
    // The character after the tail; QChar() at the end of the text looked at.
    QChar following;
    QString tagName;   // the tag as written (attribute contexts)
    QString attribute; // the attribute as written (value context)
    // Upper-case names of the attributes the tag already has, besides the one at the caret.
    QStringList presentAttributes;
    // Names go in in lower case: the page writes its tags so (tag names), the tag is written so
    // (attributes), the attribute is written so (values).
    bool lowerCase = false;
};

// How much text completion looks at before and after the caret.
constexpr int CompletionLookBehind = 2048;
constexpr int CompletionLookAhead = 512;

// `before` ends at the caret, `after` starts there. `startsInComment` tells that the first
// character of `before` lies inside a comment that began further back.
CompletionContext completionContextAt(QStringView before, QStringView after, bool startsInComment);
