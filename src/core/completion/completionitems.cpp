#include "completion/completionitems.h"

#include "editor/tagtables.h"
#include "editor/typedcharacters.h"
#include "wizards/fieldchoices.h"
#include "wizards/htmlcolors.h"
#include "wizards/tagcatalogue.h"

#include <algorithm>

namespace {

QString inCase(const QString &name, bool lowerCase) {
    return lowerCase ? name.toLower() : name.toUpper();
}

// The entities of the entity toolbar, then those typed characters turn into, each once, by name.
const QVector<CompletionItem> &entityItems() {
    static const QVector<CompletionItem> items = [] {
        QVector<CompletionItem> list;
        const auto add = [&list](const QString &entity, const QString &character) {
            for (const CompletionItem &i : list)
                if (i.text == entity)
                    return;
            list.append({entity, character, {}});
        };
        for (const WrapCommand &c : wrapCommands())
            if (c.page == TagPage::Special && c.startText.startsWith(QLatin1Char('&')))
                add(c.startText, c.caption);
        for (const NamedEntity &e : namedEntities())
            add(e.entity, QString(e.character));
        std::stable_sort(list.begin(), list.end(),
                         [](const CompletionItem &a, const CompletionItem &b) {
                             return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
                         });
        return list;
    }();
    return items;
}

QVector<CompletionItem> valueItems(const CompletionContext &c, const CompletionSources &s) {
    const AttributeChoices choices = attributeChoices(c.tagName, c.attribute);
    QVector<CompletionItem> items;
    if (choices.colors) {
        QStringList seen;
        for (const QString &color : s.colors) {
            if (color.isEmpty() || seen.contains(color))
                continue;
            seen << color;
            items.append({color, {}, htmlColorToQColor(color)});
        }
        return items;
    }
    for (const QString &v : choices.values)
        if (!v.isEmpty())
            items.append({choices.upperCase ? inCase(v, c.lowerCase) : v, {}, {}});
    return items;
}

QVector<CompletionItem> allItems(const CompletionContext &c, const CompletionSources &s) {
    QVector<CompletionItem> items;
    switch (c.kind) {
    case CompletionKind::TagName:
        for (const QString &name : catalogueTagNames())
            items.append({inCase(name, c.lowerCase), {}, {}});
        break;
    case CompletionKind::AttributeName:
        for (const CatalogueAttribute &a : catalogueAttributesOfTag(c.tagName))
            if (!c.presentAttributes.contains(a.name))
                items.append({inCase(a.name, c.lowerCase), {}, {}});
        break;
    case CompletionKind::AttributeValue:
        items = valueItems(c, s);
        break;
    case CompletionKind::CloseTag:
        for (const QString &name : s.openElements)
            items.append({name, {}, {}});
        break;
    case CompletionKind::Entity:
        items = entityItems();
        break;
    case CompletionKind::None:
        break;
    }
    return items;
}

} // namespace

QVector<CompletionItem> completionItems(const CompletionContext &context,
                                        const CompletionSources &sources) {
    const bool entity = context.kind == CompletionKind::Entity;
    QVector<CompletionItem> matching;
    QVector<CompletionItem> otherCase;
    for (const CompletionItem &item : allItems(context, sources)) {
        const QStringView name = entity ? QStringView(item.text).mid(1) : QStringView(item.text);
        if (!name.startsWith(context.prefix, Qt::CaseInsensitive))
            continue;
        if (entity && !name.startsWith(context.prefix))
            otherCase.append(item);
        else
            matching.append(item);
    }
    return matching + otherCase;
}

CompletionEdit completionEdit(const CompletionContext &c, const CompletionItem &item) {
    CompletionEdit e;
    e.from = -int(c.prefix.size());
    e.length = int(c.prefix.size()) + c.tail;
    e.text = item.text;
    switch (c.kind) {
    case CompletionKind::AttributeName: {
        // A value already follows ("NAME|=..."), or the attribute takes none.
        const bool bare = c.following == u'=' || isFlagAttribute(item.text.toUpper());
        if (!bare)
            e.text += QStringLiteral("=\"\"");
        e.caret = int(item.text.size()) + (bare ? 0 : 2);
        // Another attribute right behind gets a blank between.
        if (!c.following.isNull() && !c.following.isSpace() && c.following != u'>' &&
            c.following != u'/' && c.following != u'=')
            e.text += QLatin1Char(' ');
        return e;
    }
    case CompletionKind::AttributeValue:
        if (c.following == u'"') {
            e.caret = int(e.text.size()) + 1;
        } else {
            e.text += QLatin1Char('"');
            e.caret = int(e.text.size());
        }
        return e;
    case CompletionKind::CloseTag:
        if (c.following != u'>')
            e.text += QLatin1Char('>');
        e.caret = int(item.text.size()) + 1;
        return e;
    case CompletionKind::Entity:
        e.from -= 1; // the "&"
        e.length += 1 + (c.following == u';' ? 1 : 0);
        break;
    case CompletionKind::TagName:
    case CompletionKind::None:
        break;
    }
    e.caret = int(e.text.size());
    return e;
}
