#include "wizards/htmlattributes.h"

#include "wizards/htmlcolors.h"

QString attribute(const char *name, const QString &value) {
    if (value.isEmpty())
        return QString();
    return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value +
           QLatin1Char('"');
}

QString colorAttribute(const char *name, const QString &color, bool upperCase) {
    if (leavesColorOut(color))
        return QString();
    return attribute(name, upperCase ? color.toUpper() : color);
}
