// The modeless Replace window: collects the search and replacement texts and asks its owner to
// find, replace once or replace all; it stays open until the user closes it.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    QString searchText() const;
    QString replacementText() const;
    // Presets the search text (typically the editor's selection) and selects it for retyping.
    void setSearchText(const QString &text);

Q_SIGNALS:
    void findNextRequested(const QString &text);
    void replaceRequested(const QString &text, const QString &replacement);
    void replaceAllRequested(const QString &text, const QString &replacement);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void findNext();
    void replace();
    void replaceAll();
    void updateButtons();

    QLineEdit *m_search;
    QLineEdit *m_replacement;
    QPushButton *m_findNext;
    QPushButton *m_replace;
    QPushButton *m_replaceAll;
};
