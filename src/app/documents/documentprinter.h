// Printing a document's text: from the menu through the print dialog, from the toolbar button
// at once on the default printer.
#pragma once

#include <QObject>
#include <functional>

struct AppContext;
class ActionRegistry;
class DocumentController;
class SourceDocument;
class QPrinter;
class QWidget;

class DocumentPrinter : public QObject {
    Q_OBJECT
public:
    DocumentPrinter(AppContext &ctx, DocumentController &docs, ActionRegistry &commands,
                    QWidget *window);

    // With the dialog the job carries the document's name; without it the job has no title.
    // Without a printer installed the toolbar's immediate print says so.
    void print(const SourceDocument &doc, bool withDialog);
    // Prints on `printer`; a job that cannot start is reported. False when it failed.
    bool printTo(const SourceDocument &doc, QPrinter &printer);

    // Whether the system has a printer; tests put their own answer in.
    static bool printerInstalled();
    void setPrinterCheck(std::function<bool()> check);

private:
    AppContext &m_ctx;
    QWidget *m_window;
    std::function<bool()> m_printerInstalled;
};
