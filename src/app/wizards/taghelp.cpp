#include "wizards/taghelp.h"

#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "wizards/wizardtexts.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl tagHelpUrl(AppContext &ctx, const QString &keyword) {
    const QString file = ctx.settings.tagHelpFile;
    if (file.isEmpty()) {
        ctx.prompt().information(WizardTexts::NoTagHelpFile);
        return QUrl();
    }
    const QFileInfo info(file);
    if (!info.isFile()) {
        ctx.prompt().information(WizardTexts::TagHelpFileMissing);
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
