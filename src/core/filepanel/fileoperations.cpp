#include "filepanel/fileoperations.h"

#include "filepanel/filepaneltexts.h"
#include "shell/copyfileexpanding.h"
#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"
#include "shell/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace FilePanelTexts;

namespace {

// The target of a copy or move, or empty when it would be the source itself or the user declined
// to replace an existing file.
QString confirmedTarget(const QString &source, const QString &targetFolder, Prompts &prompts,
                        bool *replaces) {
    const QFileInfo from(source);
    const QString target = targetInFolder(source, targetFolder);
    const QFileInfo to(target);
    *replaces = nameTaken(target);
    if (!*replaces)
        return target;
    if (to.exists() && to.canonicalFilePath() == from.canonicalFilePath()) {
        prompts.information(isTheFileItself(target));
        return QString();
    }
    if (to.isDir() && !to.isSymLink()) {
        prompts.information(cannotReplaceFolder(target));
        return QString();
    }
    if (prompts.askYesNo(Prompts::Kind::Warning, confirmReplace(target)) !=
        Prompts::Answer::Yes)
        return QString();
    return target;
}

bool confirmUnsaved(Prompts &prompts, const QString &question) {
    return prompts.askYesNo(Prompts::Kind::Warning, question) == Prompts::Answer::Yes;
}

// A moved file keeps its times, as a rename would.
void copyTimes(const QString &from, const QString &to) {
    struct stat st;
    if (::stat(QFile::encodeName(from).constData(), &st) != 0)
        return;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, QFile::encodeName(to).constData(), times, 0);
}

// Creates `folder` and any missing folder above it, private to the user as trash folders are.
bool makePrivateFolders(const QString &folder, int *errnum) {
    const QString clean = QDir::cleanPath(folder);
    if (QFileInfo(clean).isDir())
        return true;
    const QString parent = QFileInfo(clean).absolutePath();
    if (parent != clean && !makePrivateFolders(parent, errnum))
        return false;
    if (::mkdir(QFile::encodeName(clean).constData(), 0700) != 0 && errno != EEXIST) {
        *errnum = errno;
        return false;
    }
    return true;
}

// The trash of the user's home: where a file of the home's volume goes, and the one used when a
// volume has none of its own.
QString homeTrash() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Trash"));
}

// Whether `inTrash` lies in the "files" folder of a real trash: the home trash, or a volume's
// ".Trash-<uid>" or ".Trash/<uid>".
bool isInTrash(const QString &inTrash) {
    const QFileInfo info(inTrash);
    if (!info.isAbsolute() || !nameTaken(inTrash))
        return false;
    const QFileInfo files(info.absolutePath());
    if (files.fileName() != QLatin1String("files"))
        return false;
    const QString root = QDir::cleanPath(files.absolutePath());
    if (root == homeTrash())
        return true;
    const QString uid = QString::number(::getuid());
    const QFileInfo rootInfo(root);
    if (rootInfo.fileName() == QStringLiteral(".Trash-") + uid)
        return true;
    return rootInfo.fileName() == uid &&
           QFileInfo(rootInfo.absolutePath()).fileName() == QLatin1String(".Trash");
}

} // namespace

QString targetInFolder(const QString &source, const QString &targetFolder) {
    return QDir(targetFolder).absoluteFilePath(QFileInfo(source).fileName());
}

bool renamePanelFile(const QString &folder, const QString &oldName, const QString &newName,
                     Prompts &prompts, bool openUnsaved) {
    if (newName == oldName)
        return false;
    const QDir dir(folder);
    const QString from = dir.absoluteFilePath(oldName);
    if (newName.trimmed().isEmpty() || newName.contains(QLatin1Char('/')) ||
        newName == QLatin1String(".") || newName == QLatin1String("..")) {
        prompts.information(invalidName(newName));
        return false;
    }
    const QString to = dir.absoluteFilePath(newName);
    if (nameTaken(to)) {
        prompts.information(renameTargetExists(from, to));
        return false;
    }
    if (openUnsaved && !confirmUnsaved(prompts, moveUnsavedPage(from, true)))
        return false;
    int err = 0;
    if (!renameWithoutReplacing(from, to, &err)) {
        prompts.information(err == EEXIST ? renameTargetExists(from, to)
                                          : cannotRename(from, systemErrorText(err)));
        return false;
    }
    return true;
}

bool copyFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts) {
    bool replaces = false;
    const QString target = confirmedTarget(source, targetFolder, prompts, &replaces);
    if (target.isEmpty())
        return false;
    const CopyOutcome o = copyRegularFile(source, target);
    if (o.ok())
        return true;
    prompts.error(copyFailureText(source, target, o));
    return false;
}

bool moveFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts,
                      bool openUnsaved) {
    if (openUnsaved && !confirmUnsaved(prompts, moveUnsavedPage(source, false)))
        return false;
    bool replaces = false;
    const QString target = confirmedTarget(source, targetFolder, prompts, &replaces);
    if (target.isEmpty())
        return false;
    // One file system: a rename, in one step (replacing only what the user agreed to replace).
    int err = 0;
    bool renamed = false;
    if (replaces) {
        renamed = ::rename(QFile::encodeName(source).constData(),
                           QFile::encodeName(target).constData()) == 0;
        err = errno;
    } else {
        renamed = renameWithoutReplacing(source, target, &err);
    }
    if (renamed)
        return true;
    if (err != EXDEV) {
        prompts.information(cannotMove(source, target, systemErrorText(err)));
        return false;
    }
    // Another file system: the writer copies to a temporary name at the target, checks that
    // every byte arrived, and only then gives the copy its name; a failure leaves nothing there.
    CopyOptions byteForByte;
    byteForByte.expand = false;
    const CopyOutcome o = copyRegularFile(source, target, byteForByte);
    if (!o.ok()) {
        prompts.error(copyFailureText(source, target, o, QStringLiteral("move")));
        return false;
    }
    copyTimes(source, target);
    if (::unlink(QFile::encodeName(source).constData()) != 0) {
        prompts.information(sourceNotDeleted(source, systemErrorText(errno), target));
        return false;
    }
    return true;
}

bool deleteToTrash(const QString &path, Prompts &prompts, bool openUnsaved) {
    const QString question = openUnsaved ? deleteUnsavedPage(path) : confirmDelete(path);
    if (prompts.askYesNo(openUnsaved ? Prompts::Kind::Warning : Prompts::Kind::Information,
                         question) != Prompts::Answer::Yes)
        return false;
    const QFileInfo info(path);
    if (!nameTaken(path) || !QFileInfo(info.absolutePath()).isWritable()) {
        prompts.information(cannotDelete(path));
        return false;
    }
    QString whyNot;
    int err = 0;
    const QString trash = homeTrash();
    if (!makePrivateFolders(trash + QStringLiteral("/files"), &err) ||
        !makePrivateFolders(trash + QStringLiteral("/info"), &err)) {
        whyNot = trashNotCreated(trash, systemErrorText(err));
    } else {
        QString inTrash;
        if (QFile::moveToTrash(path, &inTrash)) {
            if (isInTrash(inTrash))
                return true;
            // The move went somewhere that is no trash: put the file back where it was.
            if (!inTrash.isEmpty() && !nameTaken(path)) {
                const QString moved = QFileInfo(inTrash).absoluteFilePath();
                ::rename(QFile::encodeName(moved).constData(), QFile::encodeName(path).constData());
                const QString infoFile = QFileInfo(QFileInfo(moved).absolutePath()).absolutePath() +
                                         QStringLiteral("/info/") + QFileInfo(moved).fileName() +
                                         QStringLiteral(".trashinfo");
                ::unlink(QFile::encodeName(infoFile).constData());
            }
            if (!nameTaken(path)) {
                prompts.information(cannotDelete(path));
                return false;
            }
        }
        whyNot = trashNotReached();
    }
    if (prompts.askYesNo(Prompts::Kind::Warning, deleteForGood(path, whyNot)) !=
        Prompts::Answer::Yes)
        return false;
    if (!QFile::remove(path)) {
        prompts.information(cannotDelete(path));
        return false;
    }
    return true;
}
