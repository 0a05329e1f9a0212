// Tools › Check page: checks the current page (markup and broken links), lists the findings in
// the panel under the editor and takes the caret to the finding the user chooses. The list
// belongs to the document it was made for: it is cleared when another document becomes current
// or the document gets another name.
#pragma once

#include "pagecheck/pagefinding.h"

#include <QObject>
#include <QPointer>

class ActionRegistry;
class DocumentAccess;
class QAction;
class SourceDocument;
class PageCheckPanel;
class QWidget;

class PageCheckController : public QObject {
    Q_OBJECT
public:
    // `panel` is the (hidden) panel under the editor; it is shown by the first check.
    PageCheckController(DocumentAccess &docs, PageCheckPanel *panel,
                        ActionRegistry &commands, QWidget *window);


    void checkCurrentPage();
    // The caret to the finding's line and column in the checked document's editor, which gets
    // the focus.
    void goTo(const PageFinding &finding);

private:
    void clearList();
    void closePanel();

    DocumentAccess &m_docs;
    PageCheckPanel *m_panel;
    QAction *m_check;
    QPointer<SourceDocument> m_checked; // the document the list describes
    QString m_checkedName;
};
