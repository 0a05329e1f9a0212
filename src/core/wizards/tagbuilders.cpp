#include "wizards/tagbuilders.h"

#include "wizards/tagattributes.h"

namespace {

QString attribute(const char *name, const QString &value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

QString optional(const char *name, const OptionalField &f, bool upperCase = false) {
    return f.used ? attribute(name, upperCase ? f.text.toUpper() : f.text) : QString();
}

QString size(bool used, const QString &width, const QString &height) {
    if (!used)
        return QString();
    QString t;
    if (!width.isEmpty())
        t += attribute("WIDTH", width);
    if (!height.isEmpty())
        t += attribute("HEIGHT", height);
    return t;
}

// A size the dialog can show is taken out of the tag; any other value stays with the tag's other
// attributes. An absent size is empty, so it is not written back.
QString readSizeValue(TagAttributes &a, const char *name, bool *used) {
    TagAttributes probe = a;
    if (!isSizeText(probe.attributeValue(QLatin1String(name)).trimmed()))
        return QString();
    *used = true;
    return a.attributeValue(QLatin1String(name)).trimmed();
}

// A field with a check box, ticked when the tag has the attribute (an empty ALT="" too: it is
// written back); `absent` when it has not.
OptionalField take(TagAttributes &a, const char *name, const OptionalField &absent = {}) {
    if (!a.hasAttributeWord(QLatin1String(name)))
        return absent;
    return {true, a.attributeValue(QLatin1String(name))};
}

// Without either size the fields keep the dialog's defaults.
void readSize(TagAttributes &a, bool *used, QString *width, QString *height) {
    const QString w = readSizeValue(a, "WIDTH", used);
    const QString h = readSizeValue(a, "HEIGHT", used);
    if (*used) {
        *width = w;
        *height = h;
    }
}

const QString EndOfLink = QStringLiteral("</A>");

} // namespace

bool isSizeText(const QString &text) {
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    if (digits == 0 || digits > 9)
        return false;
    return digits == text.size() ||
           (digits + 1 == text.size() && text.at(digits) == QLatin1Char('%'));
}

QStringList alignmentItems() {
    return {QStringLiteral("Top"),     QStringLiteral("Middle"),  QStringLiteral("Bottom"),
            QStringLiteral("Left"),    QStringLiteral("Right"),   QStringLiteral("Texttop"),
            QStringLiteral("Absmiddle"), QStringLiteral("Absbottom"), QStringLiteral("Baseline")};
}

TagInsertion buildImageTag(const ImageFields &f, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<IMG SRC=\"") + reference(f.source) + QLatin1Char('"');
    if (f.lowSource.used)
        t += attribute("LOWSRC", reference(f.lowSource.text));
    t += size(f.useSize, f.width, f.height);
    t += optional("ALT", f.alt);
    t += optional("ALIGN", f.align, true);
    t += optional("BORDER", f.border);
    t += optional("VSPACE", f.vspace);
    t += optional("HSPACE", f.hspace);
    t += optional("USEMAP", f.useMap);
    if (f.isMap)
        t += QStringLiteral(" ISMAP");
    t += f.other + QLatin1Char('>');
    return {t, QString(), QString()};
}

TagInsertion buildLinkTag(const LinkFields &f, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<A HREF=\"") + reference(f.link) + QLatin1Char('"');
    t += optional("TARGET", f.target);
    t += optional("METHODS", f.methods);
    t += optional("REV", f.rev);
    t += optional("REL", f.rel);
    t += f.other + QLatin1Char('>');
    return {t, EndOfLink, f.description};
}

TagInsertion buildAnchorTag(const AnchorFields &f) {
    return {QStringLiteral("<A NAME=\"") + f.name + QLatin1Char('"') + f.other + QLatin1Char('>'),
            EndOfLink, f.description};
}

TagInsertion buildMailLinkTag(const MailLinkFields &f) {
    QString t = QStringLiteral("<A HREF=\"mailto:") + f.address + QLatin1Char('"');
    if (!f.subject.isEmpty())
        t += attribute("TITLE", f.subject);
    t += f.other + QLatin1Char('>');
    return {t, EndOfLink, f.description};
}

TagInsertion buildEmbedTag(const EmbedFields &f, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<EMBED SRC=\"") + reference(f.source) + QLatin1Char('"');
    t += size(f.useSize, f.width, f.height);
    t += optional("ALIGN", f.align, true);
    t += optional("BORDER", f.border);
    t += f.other + QLatin1Char('>');
    return {t, QString(), QString()};
}

ImageFields imageFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    ImageFields f;
    f.source = a.attributeValue(QStringLiteral("SRC"));
    readSize(a, &f.useSize, &f.width, &f.height);
    auto fill = [&a](OptionalField &field, const char *name) { field = take(a, name, field); };
    fill(f.align, "ALIGN");
    fill(f.alt, "ALT");
    fill(f.border, "BORDER");
    fill(f.lowSource, "LOWSRC");
    fill(f.useMap, "USEMAP");
    fill(f.vspace, "VSPACE");
    fill(f.hspace, "HSPACE");
    f.isMap = a.hasAttributeWord(QStringLiteral("ISMAP"));
    a.attributeValue(QStringLiteral("ISMAP")); // taken out: the box writes it
    f.other = a.otherAttributes();
    return f;
}

LinkFields linkFieldsFromElement(const QString &element) {
    TagAttributes a(firstTag(element));
    LinkFields f;
    f.link = a.attributeValue(QStringLiteral("HREF"));
    f.description = elementText(element);
    f.methods = take(a, "METHODS");
    f.target = take(a, "TARGET");
    f.rev = take(a, "REV");
    f.rel = take(a, "REL");
    f.other = a.otherAttributes();
    return f;
}

AnchorFields anchorFieldsFromElement(const QString &element) {
    TagAttributes a(firstTag(element));
    AnchorFields f;
    f.name = a.attributeValue(QStringLiteral("NAME"));
    f.description = elementText(element);
    f.other = a.otherAttributes();
    return f;
}

MailLinkFields mailLinkFieldsFromElement(const QString &element) {
    TagAttributes a(firstTag(element));
    MailLinkFields f;
    QString href = a.attributeValue(QStringLiteral("HREF"));
    const int mailto = href.indexOf(QLatin1String("mailto:"), 0, Qt::CaseInsensitive);
    if (mailto >= 0)
        href.remove(mailto, 7);
    f.address = href.trimmed();
    f.description = elementText(element);
    f.subject = a.attributeValue(QStringLiteral("TITLE"));
    // The box couples the description to the address; keep it ticked only where they agree, so
    // editing the address never overwrites a description of the user's own.
    f.useAddress = f.description == f.address;
    f.other = a.otherAttributes();
    return f;
}

EmbedFields embedFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    EmbedFields f;
    f.source = a.attributeValue(QStringLiteral("SRC"));
    readSize(a, &f.useSize, &f.width, &f.height);
    f.align = take(a, "ALIGN", f.align);
    f.border = take(a, "BORDER", f.border);
    f.other = a.otherAttributes();
    return f;
}
