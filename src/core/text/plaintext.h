// Small text helpers shared by the editor, the document files and the menus.
#pragma once

#include <QString>

// Every CR LF pair and every bare CR becomes a single "\n" (the editor's only line break).
QString plainLineBreaks(QString text);

// Doubles each "&", so a file name or a date shows as it is in a menu item or tab caption
// instead of marking a keyboard accelerator.
QString escapeAmpersands(QString text);
