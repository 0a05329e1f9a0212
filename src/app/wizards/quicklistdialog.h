// "Quick List": an unordered or ordered list of empty items.
#pragma once

#include "wizards/tagdialog.h"

#include <QStringList>

class QRadioButton;

class QuickListDialog : public TagDialog {
    Q_OBJECT
public:
    explicit QuickListDialog(QWidget *parent = nullptr);
    QStringList block() const;

private:
    QRadioButton *m_ordered;
    NumberField *m_items;
};
