// Prompts shown as Qt message boxes and file dialogs, parented to the main window.
#pragma once

#include "shell/prompts.h"

#include <QPointer>
#include <QWidget>

class MessageBoxPrompts : public Prompts {
public:
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
