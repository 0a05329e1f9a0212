// Reading a tag the user selected: its name, its attributes one by one (each read attribute is
// taken out, so what is left is the tag's other attributes), and a link element's text.
#pragma once

#include <QString>
#include <QStringList>

class TagAttributes {
public:
    // `tagText` is one start tag, with or without its "<" (the rest of an element is ignored).
    explicit TagAttributes(const QString &tagText);

    // The tag's name as written, e.g. "IMG" or "a".
    QString tagName() const;
    // Names of the attributes still in the text, as written.
    QStringList attributeNames() const;
    // Value of the attribute of this name (whole name, any letter case); the attribute is then
    // taken out of the text. A quoted value runs to its closing quote and may hold blanks and
    // ">"; an unquoted one ends at a blank or ">". Empty when the attribute is absent or has no
    // value.
    QString attributeValue(const QString &name);
    // True when an attribute of this name (whole name, any letter case) is still in the text.
    bool hasAttributeWord(const QString &word) const;
    // What is left of the tag text.
    const QString &remainingText() const { return m_text; }
    // The attributes not read yet, each as written with one blank before it (" CLASS=keep"), so
    // that a tag written anew keeps what its dialog has no field for.
    QString otherAttributes() const;

private:
    struct Attribute {
        QString name;
        int start = 0; // of the name
        int end = 0;   // after the value (and its closing quote)
        QString value;
    };
    QList<Attribute> scan() const;

    QString m_text;
};

// The first tag of `text`, from its "<" through the ">" that closes it (a ">" in a quoted value
// does not); empty when there is none. `offset` receives where it starts.
QString firstTag(const QString &text, int *offset = nullptr);

// A link element's description: everything between its start tag and its closing "</A>"; for
// other text, what lies between the first ">" and the next "<".
QString elementText(const QString &element);

// The value of attribute `name` in the text of one tag, read as TagAttributes reads it: the
// whole attribute name must match (so "src" never reads LOWSRC's value). Empty when the tag has
// no such attribute.
QString tagAttributeValue(const QString &tagText, const QString &name);
