// The main window's commands as data: each command's id (the object name of its action or
// button), the texts it shows with their mnemonics, its keys, icon and tool tip; and the menus,
// the context menus, the row of file buttons and the tag toolbar's command buttons as lists of
// those ids. Controllers only attach what a command does (ActionRegistry); the wrap commands of
// the Tags menu and the toolbar pages come from the tag tables.
#pragma once

#include "editor/tagtables.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

struct CommandSpec {
    enum Flag {
        Checkable = 1,
        // The key works in every window of the program (the tag wizard's too).
        ApplicationKey = 2,
        // The key is only shown beside the menu text; a twin on the window acts on it.
        KeyShownOnly = 4,
        // The key works only inside the widget the action is added to.
        WidgetKey = 8,
        // The action sits on the main window itself, so its key works without any menu.
        OnWindow = 16,
    };

    QString id;
    // What the command shows: a menu text with its mnemonic or a button's caption. Commands
    // with states show the further texts (setState); so do their tool tips.
    QStringList texts;
    QList<QKeySequence> keys;
    QString icon;
    QStringList toolTips;
    // A copy of `twinOf` with a text of its own (context menus); it triggers that command.
    QString twinOf;
    // A button that pops up this menu.
    QString menu;
    int flags = 0;

    CommandSpec &key(QKeyCombination k) {
        keys << QKeySequence(k);
        return *this;
    }
    CommandSpec &key(QKeySequence::StandardKey k) {
        keys << QKeySequence(k);
        return *this;
    }
    CommandSpec &withIcon(const char *name) {
        icon = QLatin1String(name);
        return *this;
    }
    CommandSpec &tip(const QString &t) {
        toolTips << t;
        return *this;
    }
    CommandSpec &states(const QStringList &more) {
        texts << more;
        return *this;
    }
    CommandSpec &twin(const char *original) {
        twinOf = QLatin1String(original);
        return *this;
    }
    CommandSpec &popsUp(const char *menuId) {
        menu = QLatin1String(menuId);
        return *this;
    }
    CommandSpec &flag(int f) {
        flags |= f;
        return *this;
    }
};

// A menu: its object name, its title and its items in order. An item is a command id, "-" (a
// separator), the id of another menu of the table (a submenu), or "@name" for the run of
// actions a controller makes at run time (recent files, launcher slots, wrap commands).
struct MenuSpec {
    QString id;
    QString title;
    QStringList items;
};

// A command button placed on a page of the tag toolbar, after the page's wrap buttons.
struct ToolbarPlace {
    TagPage page;
    QString id;
};

const QVector<CommandSpec> &commandTable();
// Every menu: the menu bar's, their submenus and the context menus.
const QVector<MenuSpec> &menuTable();
// The menu bar's menus, in order.
const QStringList &menuBarMenus();
// The row of file buttons left of the tag toolbar; "|" is a gap.
const QStringList &fileButtonRow();
const QVector<ToolbarPlace> &tagToolbarButtons();

// Null when the table has no such id.
const CommandSpec *findCommand(const QString &id);
const MenuSpec *findMenu(const QString &id);
