#include "wizards/tagclassification.h"

#include "wizards/tagattributes.h"

namespace {

const QString EndOfLink = QStringLiteral("</A>");

bool isMailReference(QString href) {
    return href.trimmed().startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

} // namespace

TagClassification classifyTag(const QString &selection) {
    TagClassification result;
    int lt = -1;
    const QString tag = firstTag(selection, &lt);
    if (tag.isEmpty())
        return result;
    const int gt = lt + int(tag.size()) - 1;
    TagAttributes attributes(tag);
    const QString name = attributes.tagName().toUpper();

    auto take = [&](TagKind kind, const QString &text) {
        result.kind = kind;
        result.editedText = text;
        result.offset = lt;
        return result;
    };

    if (name == QLatin1String("BODY") || name == QLatin1String("/BODY"))
        return take(TagKind::Body, tag);
    if (name == QLatin1String("A")) {
        const int close = selection.indexOf(EndOfLink, gt, Qt::CaseInsensitive);
        if (close >= 0) {
            const QString element = selection.mid(lt, close + EndOfLink.size() - lt);
            if (attributes.hasAttributeWord(QStringLiteral("HREF"))) {
                const QString href = attributes.attributeValue(QStringLiteral("HREF"));
                return take(isMailReference(href) ? TagKind::MailLink : TagKind::Link, element);
            }
            if (attributes.hasAttributeWord(QStringLiteral("NAME")))
                return take(TagKind::Anchor, element);
        }
        return result;
    }
    struct Named {
        const char *name;
        TagKind kind;
    };
    static const Named Plain[] = {
        {"IMG", TagKind::Image},         {"TITLE", TagKind::Title}, {"EMBED", TagKind::Embed},
        {"BASEFONT", TagKind::BaseFont}, {"FONT", TagKind::Font},   {"FORM", TagKind::Form},
    };
    for (const Named &n : Plain)
        if (name == QLatin1String(n.name))
            return take(n.kind, tag);
    return result;
}

QString editCaption(TagKind kind) {
    switch (kind) {
    case TagKind::None: return QString();
    case TagKind::Body: return QStringLiteral("Edit <BODY> tag...");
    case TagKind::Link: return QStringLiteral("Edit <A HREF> tag...");
    case TagKind::MailLink: return QStringLiteral("Edit \"mailto:\" link...");
    case TagKind::Anchor: return QStringLiteral("Edit <A NAME> tag...");
    case TagKind::Image: return QStringLiteral("Edit <IMG> tag...");
    case TagKind::Title: return QStringLiteral("Edit <TITLE> tag...");
    case TagKind::Embed: return QStringLiteral("Edit <EMBED> tag...");
    case TagKind::BaseFont: return QStringLiteral("Edit <BASEFONT> tag...");
    case TagKind::Font: return QStringLiteral("Edit <FONT> tag...");
    case TagKind::Form: return QStringLiteral("Edit <FORM> tag...");
    }
    return QString();
}
