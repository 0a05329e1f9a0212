// "Embed multimedia document": the fields of an <EMBED> tag. Fields in, EmbedFields out.
#pragma once

#include "wizards/dialogparts.h"

#include <QDialog>

class EmbedDialog : public QDialog {
    Q_OBJECT
public:
    explicit EmbedDialog(QWidget *parent = nullptr);

    // Resets the fields; the source becomes the hand-over file when that is a multimedia file
    // and otherwise keeps what it held.
    void reset(const TagDialogEnvironment &env);
    void setFields(const EmbedFields &f);
    EmbedFields fields() const;

private:
    TagDialogEnvironment m_env;
    QLineEdit *m_source;
    QCheckBox *m_useSize;
    NumberField *m_width;
    NumberField *m_height;
    QCheckBox *m_useAlign;
    QComboBox *m_align;
    QCheckBox *m_useBorder;
    QLineEdit *m_border;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
