#include "wizards/tagbuilders.h"

#include "wizards/tagattributes.h"

namespace {

QString attribute(const char *name, const QString &value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

QString optional(const char *name, const OptionalField &f, bool upperCase = false) {
    return f.used ? attribute(name, upperCase ? f.text.toUpper() : f.text) : QString();
}

QString size(bool used, int width, int height) {
    if (!used)
        return QString();
    return attribute("WIDTH", QString::number(width)) + attribute("HEIGHT", QString::number(height));
}

int wholeNumber(const QString &text) {
    const QString t = text.trimmed();
    int digits = 0;
    while (digits < t.size() && digits < 9 && t.at(digits).isDigit())
        ++digits;
    return t.left(digits).toInt();
}

void readSize(TagAttributes &a, bool *used, int *width, int *height) {
    const QString w = a.attributeValue(QStringLiteral("WIDTH"));
    const QString h = a.attributeValue(QStringLiteral("HEIGHT"));
    if (!w.isEmpty()) {
        *width = wholeNumber(w);
        *used = true;
    }
    if (!h.isEmpty()) {
        *height = wholeNumber(h);
        *used = true;
    }
}

const QString EndOfLink = QStringLiteral("</A>");

} // namespace

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
    t += QLatin1Char('>');
    return {t, QString(), QString()};
}

TagInsertion buildLinkTag(const LinkFields &f, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<A HREF=\"") + reference(f.link) + QLatin1Char('"');
    t += optional("TARGET", f.target);
    t += optional("METHODS", f.methods);
    t += optional("REV", f.rev);
    t += optional("REL", f.rel);
    t += QLatin1Char('>');
    return {t, EndOfLink, f.description};
}

TagInsertion buildAnchorTag(const AnchorFields &f) {
    return {QStringLiteral("<A NAME=\"") + f.name + QStringLiteral("\">"), EndOfLink,
            f.description};
}

TagInsertion buildMailLinkTag(const MailLinkFields &f) {
    QString t = QStringLiteral("<A HREF=\"mailto:") + f.address + QLatin1Char('"');
    if (!f.subject.isEmpty())
        t += attribute("TITLE", f.subject);
    t += QLatin1Char('>');
    return {t, EndOfLink, f.description};
}

TagInsertion buildEmbedTag(const EmbedFields &f, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<EMBED SRC=\"") + reference(f.source) + QLatin1Char('"');
    t += size(f.useSize, f.width, f.height);
    t += optional("ALIGN", f.align, true);
    t += optional("BORDER", f.border);
    t += QLatin1Char('>');
    return {t, QString(), QString()};
}

ImageFields imageFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    ImageFields f;
    f.source = a.attributeValue(QStringLiteral("SRC"));
    readSize(a, &f.useSize, &f.width, &f.height);
    auto fill = [&a](OptionalField &field, const char *name) {
        const QString v = a.attributeValue(QLatin1String(name));
        if (!v.isEmpty())
            field = {true, v};
    };
    fill(f.align, "ALIGN");
    fill(f.alt, "ALT");
    fill(f.border, "BORDER");
    fill(f.lowSource, "LOWSRC");
    fill(f.useMap, "USEMAP");
    fill(f.vspace, "VSPACE");
    fill(f.hspace, "HSPACE");
    f.isMap = a.hasAttributeWord(QStringLiteral("ISMAP"));
    return f;
}

LinkFields linkFieldsFromElement(const QString &element) {
    TagAttributes a(element.left(element.indexOf(QLatin1Char('>')) + 1));
    LinkFields f;
    f.link = a.attributeValue(QStringLiteral("HREF"));
    f.description = elementText(element);
    f.methods = OptionalField::of(a.attributeValue(QStringLiteral("METHODS")));
    f.target = OptionalField::of(a.attributeValue(QStringLiteral("TARGET")));
    f.rev = OptionalField::of(a.attributeValue(QStringLiteral("REV")));
    f.rel = OptionalField::of(a.attributeValue(QStringLiteral("REL")));
    return f;
}

AnchorFields anchorFieldsFromElement(const QString &element) {
    TagAttributes a(element.left(element.indexOf(QLatin1Char('>')) + 1));
    return {a.attributeValue(QStringLiteral("NAME")), elementText(element)};
}

MailLinkFields mailLinkFieldsFromElement(const QString &element) {
    TagAttributes a(element.left(element.indexOf(QLatin1Char('>')) + 1));
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
    return f;
}

EmbedFields embedFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    EmbedFields f;
    f.source = a.attributeValue(QStringLiteral("SRC"));
    readSize(a, &f.useSize, &f.width, &f.height);
    const QString align = a.attributeValue(QStringLiteral("ALIGN"));
    if (!align.isEmpty())
        f.align = {true, align};
    const QString border = a.attributeValue(QStringLiteral("BORDER"));
    if (!border.isEmpty())
        f.border = {true, border};
    return f;
}
