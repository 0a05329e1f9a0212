#include "wizards/customscripts.h"

#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"

#include <QDir>
#include <QFileInfo>

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

bool readCustomScript(const QString &path, QString *text, TextFormat *format, QString *error) {
    const FileRead read = readRegularFile(path, MaxCustomScriptBytes);
    if (!read.ok()) {
        *error = readProblemText(read, path, MaxCustomScriptBytes);
        return false;
    }
    DecodedText decoded = decodeDocument(read.bytes, QDir::toNativeSeparators(path));
    if (!decoded.ok) {
        *error = decoded.error;
        return false;
    }
    *text = std::move(decoded.text);
    *format = decoded.format;
    return true;
}

bool writeCustomScript(const QString &path, const QString &text, const TextFormat &format,
                       QString *error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString lines = text;
    if (!lines.isEmpty() && !lines.endsWith(QLatin1Char('\n')))
        lines.append(QLatin1Char('\n'));
    return writeFileAtomically(path, encodeDocument(lines, format), error);
}

