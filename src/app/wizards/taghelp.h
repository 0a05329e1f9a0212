// Help on a tag: opens the user's external HTML help file (the preferences name it) with the
// default application, at the tag's keyword when the file is an HTML page.
#pragma once

#include <QString>
#include <QUrl>

struct AppContext;

// What to open for a keyword, or an empty URL after telling the user why nothing opens.
QUrl tagHelpUrl(AppContext &ctx, const QString &keyword);

// Opens the help for a keyword (see tagHelpUrl); nothing happens for an empty keyword.
void showTagHelp(AppContext &ctx, const QString &keyword);
