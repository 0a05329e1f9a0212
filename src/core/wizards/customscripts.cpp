#include "wizards/customscripts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString customScriptFolder(const QString &dataDir) {
    return QDir(dataDir).filePath(QStringLiteral("scripts"));
}

QStringList customScriptNames(const QString &folder) {
    QStringList names = QDir(folder).entryList({QStringLiteral("*.jsc")}, QDir::Files,
                                               QDir::Name | QDir::IgnoreCase);
    return names;
}

QString customScriptFileName(const QString &typed) {
    const QString name = typed.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QString();
    if (name.contains(QLatin1String(".jsc"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".jsc");
}

QStringList newCustomScriptLines() {
    return {QStringLiteral("<script language=\"JavaScript\">"),
            QStringLiteral("<!--"),
            QString(),
            QString(),
            QString(),
            QStringLiteral("// -->"),
            QStringLiteral("</script>")};
}

bool readCustomScript(const QString &path, QString *text, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *text = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return true;
}

bool writeCustomScript(const QString &path, const QString &text, QString *error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
