// "Quick Definition List": a DL of empty term and definition pairs.
#pragma once

#include "wizards/tagdialog.h"

#include <QStringList>

class QuickDefinitionListDialog : public TagDialog {
    Q_OBJECT
public:
    explicit QuickDefinitionListDialog(QWidget *parent = nullptr);
    QStringList block() const;

private:
    NumberField *m_items;
};
