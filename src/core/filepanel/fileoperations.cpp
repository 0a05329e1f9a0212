#include "filepanel/fileoperations.h"

#include "shell/copyfileexpanding.h"
#include "shell/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// The target of a copy or move, or empty when it would be the source itself or the user declined
// to replace an existing file.
QString confirmedTarget(const QString &source, const QString &targetFolder, Prompts &prompts,
                        bool *replaces) {
    const QFileInfo from(source);
    const QString target = QDir(targetFolder).absoluteFilePath(from.fileName());
    const QFileInfo to(target);
    *replaces = to.exists();
    if (!*replaces)
        return target;
    if (to.canonicalFilePath() == from.canonicalFilePath()) {
        prompts.information(shown(target) + QStringLiteral(" is the file itself."));
        return QString();
    }
    if (to.isDir()) {
        prompts.information(QStringLiteral("Can not replace the folder ") + shown(target) +
                            QStringLiteral("."));
        return QString();
    }
    const QString question = shown(target) +
                             QStringLiteral(" already exists. Do you want to replace it?");
    if (prompts.askYesNo(Prompts::Kind::Confirmation, question) != Prompts::Answer::Yes)
        return QString();
    return target;
}

} // namespace

bool renamePanelFile(const QString &folder, const QString &oldName, const QString &newName,
                     Prompts &prompts) {
    if (newName == oldName)
        return false;
    const QDir dir(folder);
    const QString from = dir.absoluteFilePath(oldName);
    if (newName.trimmed().isEmpty() || newName.contains(QLatin1Char('/')) ||
        newName == QLatin1String(".") || newName == QLatin1String("..")) {
        prompts.information(QStringLiteral("\"") + newName +
                            QStringLiteral("\" is not a valid file name."));
        return false;
    }
    const QString to = dir.absoluteFilePath(newName);
    if (QFileInfo::exists(to)) {
        prompts.information(QStringLiteral("Can not rename ") + shown(from) +
                            QStringLiteral(": ") + shown(to) +
                            QStringLiteral(" already exists."));
        return false;
    }
    QFile file(from);
    if (!file.rename(to)) {
        prompts.information(QStringLiteral("Can not rename ") + shown(from) +
                            QStringLiteral(": ") + file.errorString());
        return false;
    }
    return true;
}

bool copyFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts) {
    bool replaces = false;
    const QString target = confirmedTarget(source, targetFolder, prompts, &replaces);
    if (target.isEmpty())
        return false;
    return copyFileExpanding(source, target, &prompts);
}

bool moveFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts) {
    bool replaces = false;
    const QString target = confirmedTarget(source, targetFolder, prompts, &replaces);
    if (target.isEmpty())
        return false;
    if (!replaces) {
        // QFile::rename falls back to copy and delete across file systems.
        QFile file(source);
        if (file.rename(target))
            return true;
        if (QFileInfo::exists(target)) {
            // The copy was made but the source could not be removed.
            prompts.information(QStringLiteral("Could not delete ") + shown(source) +
                                QStringLiteral("."));
            return false;
        }
        prompts.information(QStringLiteral("Can not move ") + shown(source) +
                            QStringLiteral(": ") + file.errorString());
        return false;
    }
    // Replacing: the copy replaces the old file in one step, then the source goes.
    if (!copyFileExpanding(source, target, &prompts))
        return false;
    if (!QFile::remove(source)) {
        prompts.information(QStringLiteral("Could not delete ") + shown(source) +
                            QStringLiteral("."));
        return false;
    }
    return true;
}

bool deleteToTrash(const QString &path, Prompts &prompts) {
    const QString name = shown(path);
    if (prompts.askYesNo(Prompts::Kind::Information,
                         QStringLiteral("Are you sure you want to delete ") + name +
                             QStringLiteral("?")) != Prompts::Answer::Yes)
        return false;
    const QString cannot = QStringLiteral("Can not delete ") + name + QStringLiteral(".");
    const QFileInfo info(path);
    if (!info.exists() || !QFileInfo(info.absolutePath()).isWritable()) {
        prompts.information(cannot);
        return false;
    }
    if (QFile::moveToTrash(path))
        return true;
    if (prompts.askYesNo(Prompts::Kind::Confirmation,
                         name + QStringLiteral(" can not be moved to the trash. Delete it for "
                                               "good?")) != Prompts::Answer::Yes)
        return false;
    if (!QFile::remove(path)) {
        prompts.information(cannot);
        return false;
    }
    return true;
}
