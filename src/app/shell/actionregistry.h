// The main window's actions and command buttons by id. A controller registers what each of its
// commands does; texts, keys, icons and tool tips come from the command table, and the menus
// are built from the table's menus once every controller has registered. Owned by the window.
#pragma once

#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>
#include <QToolButton>
#include <functional>

class QMenu;
class QMenuBar;
class QWidget;
struct CommandSpec;
struct MenuSpec;

class ActionRegistry : public QObject {
    Q_OBJECT
public:
    // `window` gets the actions that act without a menu and parents the menus.
    explicit ActionRegistry(QWidget *window);

    // The command's action, made from its row of the command table, with the twins the table
    // declares for it. The handler runs when it is triggered.
    QAction *add(const QString &id);
    template <typename Context, typename Handler>
    QAction *add(const QString &id, const Context *context, Handler handler) {
        QAction *a = add(id);
        connect(a, &QAction::triggered, context, std::move(handler));
        return a;
    }

    // A command button made from its row of the table, placed later by the window.
    QToolButton *addButton(const QString &id);
    template <typename Context, typename Handler>
    QToolButton *addButton(const QString &id, const Context *context, Handler handler) {
        QToolButton *b = addButton(id);
        connect(b, &QToolButton::clicked, context, std::move(handler));
        return b;
    }

    // Actions made at run time (recent files, launcher slots ...), placed where a menu of the
    // table names "@id". Those with an object name are found by it too.
    void addGroup(const QString &id, const QList<QAction *> &actions);
    // Runs `handler` each time the menu is about to show, once it is built.
    void onMenuShow(const QString &menuId, const QObject *context, std::function<void()> handler);

    // Builds every menu of the table and fills the menu bar. Each id a menu names must have
    // been registered.
    void buildMenus(QMenuBar *bar);

    // Null for an id nobody registered (a menu: before buildMenus).
    QAction *action(const QString &id) const;
    QToolButton *button(const QString &id) const;
    QMenu *menu(const QString &id) const;
    QList<QAction *> group(const QString &id) const;

    // Shows text and tool tip number `state` of the command's row (0 is the first).
    void setState(const QString &id, int state);

private:
    QMenu *buildMenu(const MenuSpec &menuSpec);
    static const CommandSpec &spec(const QString &id);

    QWidget *m_window;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QToolButton *> m_buttons;
    QHash<QString, QList<QAction *>> m_groups;
    QHash<QString, QMenu *> m_menus;
    struct ShowHandler {
        QString menuId;
        const QObject *context; // lives as long as the window
        std::function<void()> handler;
    };
    QList<ShowHandler> m_showHandlers;
};
