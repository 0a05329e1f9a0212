// Every message of the tools: the preferences, the launcher, the spell check with its personal
// word list, and the previously used lists, in one place.
#pragma once

#include <QDir>
#include <QString>

namespace PreferenceTexts {
inline const QString Executable = QStringLiteral("Executable are not allowed.");
inline const QString SpecialCharacters =
    QStringLiteral("Please do not use special characters in the extension.");
inline const QString InvalidDictionary = QStringLiteral(" is not a valid dictionary.");
// A launcher slot's program that is missing or cannot run.
inline QString programNotStarted(const QString &program, const QString &reason) {
    return QStringLiteral("The program \"%1\" could not be started: %2.").arg(program, reason);
}
} // namespace PreferenceTexts

namespace SpellTexts {
inline const QString UnclosedComment = QStringLiteral(
    "A comment tag (\"<!-- .. -->\") is not properly closed in this document! Please fix this "
    "before spellchecking.");
inline const QString Completed = QStringLiteral("Spell checking completed.");
inline const QString NoSuggestions = QStringLiteral("[No suggestions]");
inline const QString DialogCaption = QStringLiteral("Spelling checker");
inline const QString TextChangedMeanwhile = QStringLiteral(
    "The text was changed while the spelling checker waited for an answer, so checking stopped "
    "there. Start it again to check the rest.");
} // namespace SpellTexts

namespace ToolTexts {
inline QString personalWordsNotWritten(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot write the personal word list \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}
inline const QString DictionaryNotOpened =
    QStringLiteral("The spelling dictionary could not be opened. Choose a dictionary in the "
                   "preferences and make sure its Hunspell files are installed.");

// The Tools menu's "Delete previous-lists".
inline const QString ConfirmDeleteLinks =
    QStringLiteral("Are you sure you want to delete the \"previously used link list\"?");
inline const QString ConfirmDeleteImages =
    QStringLiteral("Are you sure you want to delete the \"previously used image list\"?");
inline const QString ConfirmDeleteColors =
    QStringLiteral("Are you sure you want to delete the \"previously used colors list\"?");
inline const QString ConfirmDeleteAllLists =
    QStringLiteral("Are you sure you want to delete all \"previous lists\"?");
} // namespace ToolTexts
