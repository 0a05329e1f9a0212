// The field values of the image, link, anchor, e-mail and embed dialogs, the tag text each one
// makes, and the fields a selected tag of that kind fills in again.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What a dialog hands to the editor: the selection is first replaced by `selectionText` (when
// set; the replacement is selected again), then wrapped in `startText` and `endText`.
struct TagInsertion {
    QString startText;
    QString endText;
    std::optional<QString> selectionText;
};

// Turns a chosen file name into the text written into the page (the house path conversion).
using ReferenceMaker = std::function<QString(const QString &)>;

// A field with a check box: written into the tag only while ticked.
struct OptionalField {
    bool used = false;
    QString text;
    static OptionalField of(const QString &value) { return {!value.isEmpty(), value}; }
};

// The nine alignments of images and embedded objects, as the drop-downs list them.
QStringList alignmentItems();

// A size as a tag holds it: digits, or digits and "%"; empty leaves the attribute out.
bool isSizeText(const QString &text);

struct ImageFields {
    QString source;
    OptionalField lowSource;
    bool useSize = false; // governs WIDTH and HEIGHT together; an empty size stays out
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    OptionalField alt;
    OptionalField align;
    OptionalField border{false, QStringLiteral("0")};
    OptionalField vspace;
    OptionalField hspace;
    OptionalField useMap;
    bool isMap = false;
    QString other; // attributes the dialog has no field for, as written (" CLASS=x")
};

struct LinkFields {
    QString link;
    QString description;
    OptionalField target;
    OptionalField methods;
    OptionalField rev;
    OptionalField rel;
    QString other;
};

struct AnchorFields {
    QString name;
    QString description;
    QString other;
};

struct MailLinkFields {
    QString address;
    QString description;
    QString subject;
    bool useAddress = true; // the description follows the address
    QString other;
};

struct EmbedFields {
    QString source;
    bool useSize = false;
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    OptionalField align;
    OptionalField border{false, QStringLiteral("0")};
    QString other;
};

TagInsertion buildImageTag(const ImageFields &f, const ReferenceMaker &reference);
TagInsertion buildLinkTag(const LinkFields &f, const ReferenceMaker &reference);
TagInsertion buildAnchorTag(const AnchorFields &f);
TagInsertion buildMailLinkTag(const MailLinkFields &f);
TagInsertion buildEmbedTag(const EmbedFields &f, const ReferenceMaker &reference);

// The fields an existing tag (or, for the three link kinds, element up to "</A>") fills in.
// A field with a check box is ticked only for a non-empty value; WIDTH and HEIGHT go into the
// size fields when they are sizes (a percentage too). Everything else of the tag, WIDTH="auto"
// say, is kept in `other`, so Ok on an unchanged dialog gives back an equivalent tag.
ImageFields imageFieldsFromTag(const QString &tag);
LinkFields linkFieldsFromElement(const QString &element);
AnchorFields anchorFieldsFromElement(const QString &element);
MailLinkFields mailLinkFieldsFromElement(const QString &element);
EmbedFields embedFieldsFromTag(const QString &tag);
