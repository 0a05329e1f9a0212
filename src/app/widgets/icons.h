// The program's icons: the desktop theme's picture where it has a matching one, else the
// program's own SVG from the resources.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// Icon for one of the names of marloIconNames(); a null icon for any other name.
QIcon marloIcon(const QString &name);

// Resource path of the program's own picture for `name` (":/icons/<name>.svg").
QString marloIconPath(const QString &name);

// Every icon name the program uses.
QStringList marloIconNames();

// Registers the program's compiled-in resources (icons, splash picture). They are built into a
// static library, whose registration the linker drops unless some code refers to it; anything
// that loads ":/..." files calls this first. Cheap after the first call.
void ensureMarloResources();
