#include "tools/preferences.h"

#include "shell/appsettings.h"
#include "shell/filepaths.h"
#include "tools/tooltexts.h"

ExtensionCheck checkExtension(const QStringList &list, const QString &extension) {
    if (extension.isEmpty())
        return ExtensionCheck::Empty;
    const QString upper = extension.toUpper();
    if (upper == QLatin1String("EXE") || upper == QLatin1String("COM"))
        return ExtensionCheck::Executable;
    for (QChar c : extension) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        if (!plain && c.unicode() < 192)
            return ExtensionCheck::SpecialCharacters;
    }
    if (list.contains(extension, Qt::CaseInsensitive))
        return ExtensionCheck::AlreadyListed;
    return ExtensionCheck::Accepted;
}

QString extensionMessage(ExtensionCheck check) {
    switch (check) {
    case ExtensionCheck::Executable:
        return PreferenceTexts::Executable;
    case ExtensionCheck::SpecialCharacters:
        return PreferenceTexts::SpecialCharacters;
    default:
        return QString();
    }
}

QStringList extensionsFromMask(const QString &mask) {
    QStringList out;
    for (const QString &entry : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString ext = entry.startsWith(QLatin1String("*.")) ? entry.mid(2) : entry;
        if (!ext.isEmpty())
            out.append(ext);
    }
    return out;
}

QString maskFromExtensions(const QStringList &extensions) {
    QString mask;
    for (const QString &ext : extensions)
        mask += QStringLiteral("*.") + ext.toLower() + QLatin1Char(';');
    return mask;
}

QString fileListMask(const QString &htmlMask, const QString &multimediaMask) {
    return htmlMask + imageFileMask() + multimediaMask;
}

QString storedFontName(const QString &family) { return family.left(31); }

QString launcherSlotText(const QString &field) { return field.isEmpty() ? MarkerEmpty : field; }

QString launcherFieldText(const QString &stored) {
    return stored == MarkerEmpty ? QString() : stored;
}

bool launcherItemVisible(const AppSettings &s, int slot) {
    return slot == 0 || s.launcherTitles[slot] != MarkerEmpty;
}

QString launcherCommand(const AppSettings &s, int slot) {
    if (s.launcherTitles[slot] == MarkerEmpty || s.launcherCommands[slot] == MarkerEmpty)
        return QString();
    return s.launcherCommands[slot];
}
