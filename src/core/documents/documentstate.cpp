#include "documents/documentstate.h"

#include <QLocale>
#include <QTime>

QString folderPart(const QString &path) {
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1);
}

bool isUntitledName(const QString &path) {
    return path.isEmpty() || fileNamePart(path) == UntitledName;
}

QString currentTimeText() {
    // Always two-digit hours so that the five characters are "hh:mm" in 24-hour locales and
    // never cut a 12-hour time in the middle of its minutes.
    const QString text = QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat);
    if (text.size() >= 5 && text.at(2) == QLatin1Char(':'))
        return text.left(5);
    return QTime::currentTime().toString(QStringLiteral("HH:mm"));
}
