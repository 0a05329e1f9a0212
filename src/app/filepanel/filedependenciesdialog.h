// Lists the files a page refers to, filtered by the four check boxes; the page's text is taken
// when the dialog opens (it is modal, so the text cannot change meanwhile).
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPlainTextEdit;

class FileDependenciesDialog : public QDialog {
    Q_OBJECT
public:
    FileDependenciesDialog(const QString &pageText, std::function<void()> showHelp,
                           QWidget *parent = nullptr);
    // Runs the scan with the boxes as they are.
    void start();
    QString listText() const;

private:
    QString m_text;
    std::function<void()> m_help;
    QCheckBox *m_html;
    QCheckBox *m_images;
    QCheckBox *m_other;
    QCheckBox *m_localOnly;
    QPlainTextEdit *m_list;
};
