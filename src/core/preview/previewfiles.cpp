#include "preview/previewfiles.h"

#include "shell/fileaccess.h"

#include <QFileInfo>
#include <QUrl>

QString previewCopyName(const QString &documentName, const QSet<QString> &writtenThisRun) {
    const int slash = documentName.lastIndexOf(QLatin1Char('/'));
    const QString folder = documentName.left(slash + 1);
    QString name = folder + QStringLiteral("temp.htm");
    for (int n = 1; nameTaken(name) && !writtenThisRun.contains(name); ++n)
        name = folder + QStringLiteral("temp~%1.htm").arg(n);
    return name;
}

QString fileUrl(const QString &fileName) {
    return QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()).toString(QUrl::FullyEncoded);
}
