// "Link Selection": the target and text of an <A HREF> link. Fields in, LinkFields out.
#pragma once

#include "wizards/dialogparts.h"

#include <QDialog>

class LinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit LinkDialog(QWidget *parent = nullptr);

    // Resets every field; the description starts as the editor's selected text.
    void reset(const TagDialogEnvironment &env, const QString &selectedText);
    void setFields(const LinkFields &f);
    LinkFields fields() const;

private:
    TagDialogEnvironment m_env;
    QComboBox *m_link;
    QLineEdit *m_description;
    QCheckBox *m_useTarget;
    QLineEdit *m_target;
    QCheckBox *m_useMethods;
    QLineEdit *m_methods;
    QCheckBox *m_useRev;
    QLineEdit *m_rev;
    QCheckBox *m_useRel;
    QLineEdit *m_rel;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
