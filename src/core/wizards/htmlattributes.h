// Small pieces shared by the tag builders: attributes written the house way (space, upper-case
// name, "=", value in double quotes) and the block terminator.
#pragma once

#include <QString>

// Ends the lines of a block insertion; the caret code follows it.
inline const QString BlockEnd = QStringLiteral("\\end");

// ` NAME="value"`, or nothing when the value is empty.
QString attribute(const char *name, const QString &value);
// As attribute(), also nothing for the colour list's "no" and "default" items; `upperCase`
// writes the value in capitals.
QString colorAttribute(const char *name, const QString &color, bool upperCase = false);
