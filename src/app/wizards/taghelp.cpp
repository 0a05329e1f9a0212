#include "wizards/taghelp.h"

#include "shell/appcontext.h"
#include "shell/prompts.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl tagHelpUrl(AppContext &ctx, const QString &keyword) {
    const QString file = ctx.settings.tagHelpFile;
    if (file.isEmpty()) {
        ctx.prompt().message(
            Prompts::Kind::Information,
            QStringLiteral("Please enter an external helpfile in the preference dialog first."));
        return QUrl();
    }
    const QFileInfo info(file);
    if (!info.isFile()) {
        ctx.prompt().message(
            Prompts::Kind::Information,
            QStringLiteral("The helpfile you entered in the preference dialog does not exist."));
        return QUrl();
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    const QString suffix = info.suffix().toLower();
    // An HTML help page is opened at the keyword's anchor; other help formats have no
    // keyword lookup that a desktop viewer understands, so they open at their start.
    if (!keyword.isEmpty() && (suffix == QLatin1String("htm") || suffix == QLatin1String("html")))
        url.setFragment(keyword);
    return url;
}

void showTagHelp(AppContext &ctx, const QString &keyword) {
    if (keyword.isEmpty())
        return;
    const QUrl url = tagHelpUrl(ctx, keyword);
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}
