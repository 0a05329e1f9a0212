// Printing a document's text: from the menu through the print dialog, from the toolbar button
// at once on the default printer.
#pragma once

#include <QAction>
#include <QObject>

struct AppContext;
class Document;
class DocumentController;
class QWidget;

class DocumentPrinter : public QObject {
    Q_OBJECT
public:
    DocumentPrinter(AppContext &ctx, DocumentController &docs, QWidget *window);

    // With the dialog the job carries the document's name; without it the job has no title.
    void print(const Document &doc, bool withDialog);

    QAction *printAction() const { return m_printAction; }
    QAction *printNowAction() const { return m_printNowAction; }

private:
    AppContext &m_ctx;
    QWidget *m_window;
    QAction *m_printAction;
    QAction *m_printNowAction;
};
