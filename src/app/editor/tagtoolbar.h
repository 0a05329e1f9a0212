// The tag toolbar: a row of page tabs over pages of buttons that wrap the selection in markup,
// built from the tag tables. It can be undocked into a floating window of its own.
#pragma once

#include "editor/tagtables.h"
#include "shell/appsettings.h"

#include <QWidget>
#include <array>

class QComboBox;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QHBoxLayout;

class TagToolbar : public QWidget {
    Q_OBJECT
public:
    explicit TagToolbar(QWidget *parent = nullptr);

    // The context menu of the toolbar (undock, layout modes).
    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    void setUserButtonCaptions(const std::array<QString, AppSettings::UserButtonCount> &captions);

    // The row of buttons of a page, for adding the buttons of other commands.
    QHBoxLayout *pageLayout(TagPage page) const;
    QComboBox *templateList() const { return m_templates; }
    QComboBox *attributeList() const { return m_attributes; }
    QToolButton *userButton(int index) const { return m_userButtons[index]; }
    // Adds a button in the toolbar's style at the end of a page.
    QToolButton *addButton(TagPage page, const QString &caption, const QString &iconName,
                           const QString &hint);
    // Puts another command's button, in the toolbar's style, at the end of a page.
    void placeButton(TagPage page, QToolButton *button);

Q_SIGNALS:
    void wrapRequested(const QString &startText, const QString &endText);
    void userButtonClicked(int index);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QWidget *addPage(TagPage page);
    void insertTemplate();
    void insertAttribute();

    QTabBar *m_tabs;
    QStackedWidget *m_pages;
    QMenu *m_contextMenu = nullptr;
    QComboBox *m_templates = nullptr;
    QComboBox *m_attributes = nullptr;
    std::array<QToolButton *, AppSettings::UserButtonCount> m_userButtons{};
};
