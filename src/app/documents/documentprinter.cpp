#include "documents/documentprinter.h"

#include "documents/documentcontroller.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

DocumentPrinter::DocumentPrinter(AppContext &ctx, DocumentController &docs,
                                 ActionRegistry &commands, QWidget *window)
    : QObject(window), m_ctx(ctx), m_window(window), m_printerInstalled(&printerInstalled) {
    commands.add(QStringLiteral("actionPrint"), this, [this, &docs] { print(docs.current(), true); });
    commands.add(QStringLiteral("actionPrintNow"), this,
                 [this, &docs] { print(docs.current(), false); });
}

bool DocumentPrinter::printerInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void DocumentPrinter::setPrinterCheck(std::function<bool()> check) {
    m_printerInstalled = std::move(check);
}

void DocumentPrinter::print(const SourceDocument &doc, bool withDialog) {
    // With no printer installed Qt still offers a default printer (a PDF file without a name),
    // on which printing fails without a word. The button that prints at once says so instead;
    // the dialog of the menu command offers printing to a file.
    if (!withDialog && !m_printerInstalled()) {
        m_ctx.prompt().error(QStringLiteral("No printer is available."));
        return;
    }
    QPrinter printer;
    if (withDialog) {
        QPrintDialog dialog(&printer, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setDocName(doc.fileName());
    } else {
        printer.setDocName(QString());
    }
    printTo(doc, printer);
}

bool DocumentPrinter::printTo(const SourceDocument &doc, QPrinter &printer) {
    const bool noFile = printer.outputFormat() == QPrinter::PdfFormat &&
                        printer.outputFileName().isEmpty();
    if (!noFile && printer.isValid())
        doc.activeView()->print(&printer);
    // A job that could not start leaves the printer in another state than idle.
    if (noFile || !printer.isValid() || printer.printerState() != QPrinter::Idle) {
        const QString where = printer.outputFormat() == QPrinter::PdfFormat
                                  ? printer.outputFileName()
                                  : printer.printerName();
        m_ctx.prompt().error(
            QStringLiteral("%1 could not be printed%2.")
                .arg(fileNamePart(doc.fileName()),
                     where.isEmpty() ? QString() : QStringLiteral(" on %1").arg(where)));
        return false;
    }
    return true;
}
