// Every message of the program's start and exit and of its settings file, in one place.
#pragma once

#include <QDir>
#include <QString>

namespace ShellTexts {

inline const QString ConfirmExit = QStringLiteral("Do you really want to exit?");
inline const QString DeleteBackups =
    QStringLiteral("Would you like to delete the backup files created during this session?");

inline QString settingsNotSaved(const QString &file, const QString &platformError) {
    return QStringLiteral("The settings could not be saved to %1:\n%2")
        .arg(QDir::toNativeSeparators(file), platformError);
}

} // namespace ShellTexts
