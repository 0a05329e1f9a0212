// The modeless Find window: collects the search text and asks its owner to find the next
// occurrence; it stays open until the user closes it. The search itself belongs to the owner.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString searchText() const;
    // Presets the search text (typically the editor's selection) and selects it for retyping.
    void setSearchText(const QString &text);

Q_SIGNALS:
    void findNextRequested(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void findNext();
    void updateButtons();

    QLineEdit *m_search;
    QPushButton *m_findNext;
};
