// The tag wizard: a tool window that stays open beside the editor, lists every known tag with
// its attributes, composes a start tag from double-clicks and wraps the selection with it.
#pragma once

#include <QDialog>

struct AppContext;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

class TagWizard : public QDialog {
    Q_OBJECT
public:
    explicit TagWizard(AppContext &ctx, QWidget *parent = nullptr);

    QListWidget *tagList() const { return m_tags; }
    QListWidget *attributeList() const { return m_attributes; }
    QLineEdit *startTagEdit() const { return m_startTag; }
    QLineEdit *endTagEdit() const { return m_endTag; }

    // The wizard's buttons, for tests and keyboard users.
    void insertTag();
    void showHelp();

private:
    void selectEntry(QListWidgetItem *item);
    void useEntry(QListWidgetItem *item);
    void useAttribute(QListWidgetItem *item);

    AppContext &m_ctx;
    QListWidget *m_tags;
    QListWidget *m_attributes;
    QLineEdit *m_startTag;
    QLineEdit *m_endTag;
};
