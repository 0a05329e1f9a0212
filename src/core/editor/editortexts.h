// Every message of the editing commands (edit, search, go to line, text conversion), in one
// place.
#pragma once

#include <QString>

namespace EditorTexts {

inline const QString ConfirmStripAllTags = QStringLiteral("Do you really want to strip all tags?");
// The find dialog's message ends with a full stop, the replace dialog's does not.
inline const QString TextNotFound = QStringLiteral("Text not found.");
inline const QString TextNotFoundWhileReplacing = QStringLiteral("Text not found");
inline const QString NotAWholeNumber = QStringLiteral("Please enter an integer value!");

inline QString conversionsMade(int count) {
    return count == 0 ? QStringLiteral("No text conversions made.")
                      : QStringLiteral("Made %1 conversions.").arg(count);
}

} // namespace EditorTexts
