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

// The value of attribute `name` (any letter case) of one start tag such as
// `<FONT SIZE=+1 FACE="Arial, Helvetica">`: quoted with " or ', or unquoted up to a blank or
// ">"; empty when the tag has no such attribute.
QString tagAttributeValue(const QString &tag, const QString &name);
