// The fixed markup vocabulary of the tag toolbar and the Tags menu: wrap commands, tag templates
// and attribute names. The toolbar pages and menus are built from these tables.
#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <QVector>

enum class TagPage { Common, Additional, Fonts, Forms, Special, Tags, AllAttributes, User };

// Page captions in toolbar order.
QStringList tagPageTitles();

struct WrapCommand {
    QString startText;
    QString endText; // empty: the command inserts only the start text
    TagPage page;
    QString hint;
    QString caption;  // button text; empty when the button shows an icon
    QString iconName; // used when there is no caption
    QString menuText; // Tags menu item; empty when the command is not in the menu
    QKeySequence shortcut;
    bool endsMenuGroup = false; // the Tags menu puts a separator after this item
};

// Every fixed wrap command, in toolbar order within each page.
const QVector<WrapCommand> &wrapCommands();

// Templates of the "Tags" page; "..." marks where the selection goes.
const QStringList &tagTemplates();
// Attribute names of the "All Attributes" page.
const QStringList &attributeNames();

// Splits a template at its first "..." into start and end text; without "..." the whole
// template is the start text.
struct TemplateParts {
    QString startText;
    QString endText;
};
TemplateParts splitTemplate(const QString &tagTemplate);
