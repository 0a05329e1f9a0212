#include "documents/documentprinter.h"

#include "documents/documentcontroller.h"
#include "editor/sourceeditor.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"

#include <QPrintDialog>
#include <QPrinter>

DocumentPrinter::DocumentPrinter(AppContext &ctx, DocumentController &docs, QWidget *window)
    : QObject(window), m_ctx(ctx), m_window(window) {
    m_printAction = new QAction(QStringLiteral("&Print..."), this);
    m_printAction->setObjectName(QStringLiteral("actionPrint"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printNowAction = new QAction(QStringLiteral("Print"), this);
    m_printNowAction->setObjectName(QStringLiteral("actionPrintNow"));
    connect(m_printAction, &QAction::triggered, this, [this, &docs] { print(docs.current(), true); });
    connect(m_printNowAction, &QAction::triggered, this,
            [this, &docs] { print(docs.current(), false); });
}

void DocumentPrinter::print(const Document &doc, bool withDialog) {
    QPrinter printer;
    if (withDialog) {
        QPrintDialog dialog(&printer, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setDocName(doc.fileName);
    } else {
        printer.setDocName(QString());
    }
    if (!printer.isValid()) {
        m_ctx.prompt().error(QStringLiteral("No printer is available."));
        return;
    }
    doc.editor()->print(&printer);
}
