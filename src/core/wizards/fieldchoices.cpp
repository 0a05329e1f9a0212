#include "wizards/fieldchoices.h"

#include "wizards/formbuilders.h"
#include "wizards/tagbuilders.h"

QStringList cellAlignItems() {
    return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
}

QStringList cellVerticalAlignItems() {
    return {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom"),
            QStringLiteral("Baseline")};
}

QStringList tableVerticalAlignItems() {
    return {QStringLiteral("Top"), QStringLiteral("Center"), QStringLiteral("Bottom")};
}

QStringList tableFrameItems() {
    return {QStringLiteral("void"),   QStringLiteral("above"), QStringLiteral("below"),
            QStringLiteral("hsides"), QStringLiteral("lhs"),   QStringLiteral("rhs"),
            QStringLiteral("vsides"), QStringLiteral("box")};
}

QStringList tableRulesItems() {
    return {QStringLiteral("none"), QStringLiteral("basic"), QStringLiteral("rows"),
            QStringLiteral("cols"), QStringLiteral("all")};
}

QStringList formMethodItems() { return {QStringLiteral("Post"), QStringLiteral("Get")}; }

QStringList frameScrollingItems() {
    return {QStringLiteral("Auto"), QStringLiteral("Yes"), QStringLiteral("No")};
}

QStringList frameNameItems() {
    return {QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"),
            QStringLiteral("_top")};
}

QStringList frameBorderItems() {
    return {QStringLiteral("0"), QStringLiteral("yes"), QStringLiteral("no")};
}

QStringList framesetBorderItems() { return {QStringLiteral("yes"), QStringLiteral("no")}; }

QStringList backgroundPropertiesItems() { return {QStringLiteral("Fixed")}; }

namespace {

bool isOneOf(const QString &name, std::initializer_list<const char *> names) {
    for (const char *n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

} // namespace

AttributeChoices attributeChoices(const QString &tagName, const QString &attribute) {
    const QString tag = tagName.toUpper();
    const QString attr = attribute.toUpper();
    if (isOneOf(attr, {"BGCOLOR", "COLOR", "TEXT", "LINK", "VLINK", "ALINK", "BORDERCOLOR",
                       "BORDERCOLORLIGHT", "BORDERCOLORDARK"}))
        return {{}, false, true};
    const bool cell = isOneOf(tag, {"TD", "TH", "TR"});
    if (attr == QLatin1String("ALIGN")) {
        if (isOneOf(tag, {"IMG", "EMBED", "TABLE"}))
            return {alignmentItems(), true};
        if (cell)
            return {cellAlignItems(), true};
    } else if (attr == QLatin1String("VALIGN")) {
        if (cell)
            return {cellVerticalAlignItems(), true};
        if (tag == QLatin1String("TABLE"))
            return {tableVerticalAlignItems(), true};
    } else if (tag == QLatin1String("TABLE") && attr == QLatin1String("FRAME")) {
        return {tableFrameItems(), true};
    } else if (tag == QLatin1String("TABLE") && attr == QLatin1String("RULES")) {
        return {tableRulesItems(), true};
    } else if (tag == QLatin1String("FORM") && attr == QLatin1String("METHOD")) {
        return {formMethodItems(), true};
    } else if (tag == QLatin1String("INPUT") && attr == QLatin1String("TYPE")) {
        // The types the form dialogs and the Submit and Reset buttons write.
        return {textInputTypes() + QStringList{QStringLiteral("CHECKBOX"), QStringLiteral("RADIO"),
                                               QStringLiteral("SUBMIT"), QStringLiteral("RESET")},
                true};
    } else if (tag == QLatin1String("FRAME") && attr == QLatin1String("SCROLLING")) {
        return {frameScrollingItems(), true};
    } else if (attr == QLatin1String("FRAMEBORDER")) {
        if (tag == QLatin1String("FRAME"))
            return {frameBorderItems(), true};
        if (tag == QLatin1String("FRAMESET"))
            return {framesetBorderItems(), true};
    } else if (attr == QLatin1String("TARGET")) {
        if (isOneOf(tag, {"A", "AREA", "BASE"}))
            return {frameNameItems(), false};
    } else if (attr == QLatin1String("SIZE")) {
        if (tag == QLatin1String("FONT"))
            return {fontSizeItems(), false};
        if (tag == QLatin1String("BASEFONT"))
            return {baseFontSizeItems(), false};
    } else if (tag == QLatin1String("BODY") && attr == QLatin1String("BGPROPERTIES")) {
        return {backgroundPropertiesItems(), true};
    }
    return {};
}
