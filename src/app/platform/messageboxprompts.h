// Prompts shown as Qt message boxes, file dialogs and the colour dialog, each opened over the
// window the user is working in (the main window when none is active).
#pragma once

#include "shell/prompts.h"

#include <QPointer>
#include <QWidget>

class MessageBoxPrompts : public Prompts {
public:
    // The window prompts open over when no window of the program is active.
    void setParentWindow(QWidget *parent) { m_parent = parent; }

    void message(Kind kind, const QString &text) override;
    Answer askYesNo(Kind kind, const QString &text) override;
    Answer askYesNoCancel(Kind kind, const QString &text) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QStringList openFileNames(const QString &caption, const QString &dir,
                              const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultSuffix = QString()) override;
    QString pickFolder(const QString &caption, const QString &dir) override;
    std::optional<QColor> pickColor(const QColor &initial) override;

private:
    QWidget *parent() const;
    QPointer<QWidget> m_parent;
};
