// The list completion shows under the caret: names with an entity's character or a colour's
// swatch beside them. It never takes the focus; the editor keeps the keys and the controller
// moves the selection.
#pragma once

#include "completion/completionitems.h"

#include <QListWidget>

class CompletionPopup : public QListWidget {
    Q_OBJECT
public:
    static constexpr int VisibleRows = 8;

    explicit CompletionPopup(QWidget *parent);

    // Shows these items, the first one selected, and takes the size they need.
    void setItems(const QVector<CompletionItem> &items);
    const CompletionItem &currentCompletion() const;
    // Moves the selection by `rows`, stopping at either end.
    void moveSelection(int rows);

Q_SIGNALS:
    void itemChosen();

private:
    QVector<CompletionItem> m_items;
};
