// Every message of the tag dialogs and wizards (the JavaScript wizard and its custom scripts,
// the table editor, the tag help), in one place.
#pragma once

#include <QDir>
#include <QString>

namespace WizardTexts {

// The JavaScript wizard: a page without the tags a script needs, a script already there.
inline const QString BasicTags = QStringLiteral(
    "Before you can add a java script, please fill the HTML document with the basic tags "
    "(<HTML>,<HEAD>,<BODY>).");
inline const QString BasicTagsHtml = QStringLiteral(
    "Before you can add a java script, please fill the html file with the basic tags "
    "(<HTML>,<TITLE>,<HEAD>).");
inline QString scriptExists(const QString &scriptName) {
    return QStringLiteral("The ") + scriptName +
           QStringLiteral(" script already exist in this document.");
}
inline const QString FadeExists =
    QStringLiteral("There is already a fade script in this document.");
inline const QString NoTitleTag = QStringLiteral("No <TITLE> tag found.");
inline const QString NoTitleEndTag = QStringLiteral("No </TITLE> tag found.");
inline const QString NoBodyTag = QStringLiteral("No <BODY> tag found.");

// The JavaScript wizard's fields that have to be filled.
inline const QString NoText = QStringLiteral("No text specified.");
inline const QString NoTickerText = QStringLiteral("No ticker text specified.");
inline const QString NoMarqueeText = QStringLiteral("No marquee text specified.");
inline const QString NoSlides = QStringLiteral("No slides specified.");
inline const QString DelayNotANumber =
    QStringLiteral("The delay must be a number of milliseconds.");
inline const QString NoLocation = QStringLiteral("No new location specified.");
inline const QString NoCustomScript = QStringLiteral("No custom script chosen.");

// Custom scripts.
inline const QString NoScriptFileName = QStringLiteral("Please type a file name for the script.");
inline const QString ConfirmOverwriteScript = QStringLiteral(
    "There already exists a custom script with this name. Do you want to overwrite this script?");
inline QString confirmDeleteScript(const QString &scriptName) {
    return QStringLiteral("Do you really want to delete ") + scriptName + QLatin1Char('?');
}
inline QString scriptNotSaved(const QString &path, const QString &reason) {
    return QStringLiteral("Can not save the script %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// The table editor.
inline const QString ConfirmUseForAllCells = QStringLiteral(
    "Are you sure you want set the values for the current cell as the default value for all "
    "cells?");
inline const QString ConfirmResetTable =
    QStringLiteral("Are you sure you want to reset the form input?");

// The help on a tag.
inline const QString NoTagHelpFile =
    QStringLiteral("Please enter an external helpfile in the preference dialog first.");
inline const QString TagHelpFileMissing =
    QStringLiteral("The helpfile you entered in the preference dialog does not exist.");

} // namespace WizardTexts
