#include "wizards/javascriptcommands.h"

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "shell/prompts.h"
#include "wizards/customscripts.h"
#include "wizards/javascriptdialog.h"

#include <QDir>
#include <QFileInfo>

JavaScriptCommands::JavaScriptCommands(AppContext &ctx, DocumentAccess &docs,
                                       ActionRegistry &commands, QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    commands.add(QStringLiteral("actionJavaScripts"), this, &JavaScriptCommands::showDialog);
}

void JavaScriptCommands::showDialog() {
    JavaScriptDialog dialog(
        m_ctx.prompt(), customScriptFolder(m_ctx.paths.dataDir),
        [this](const JavaScriptFields &f) { return insert(f); },
        [this](const QString &file) {
            return makeReference(file, m_ctx.settings, m_docs.current().fileName());
        },
        m_window);
    connect(&dialog, &JavaScriptDialog::helpRequested, this,
            [this] { Q_EMIT helpRequested(QStringLiteral("javascript")); });
    const QFileInfo document(m_docs.current().fileName());
    if (document.isAbsolute() && document.dir().exists())
        dialog.setSlideFolder(document.absolutePath());
    Q_EMIT dialogOpened(&dialog);
    dialog.exec();
}

bool JavaScriptCommands::insert(const JavaScriptFields &fields) {
    SourceDocument &doc = m_docs.current();
    const SourceEditor &view = *doc.activeView();
    const JavaScriptResult r =
        buildJavaScript(doc.text(), view.selectionStart(), view.selectionLength(), fields);
    if (!r.message.isEmpty())
        m_ctx.prompt().information(r.message);
    if (r.fieldsMissing)
        return false;
    if (r.insertBlock) {
        // The script block, the body attribute and the element go in as one undo step.
        PendingBlock block;
        block.lines = r.block;
        block.edits = r.edits;
        block.caretLine = r.caretLine;
        m_ctx.insertions.setPendingBlock(block);
        return true;
    }
    if (!r.edits.isEmpty()) {
        int grown = 0;
        for (const TextEdit &e : r.edits)
            grown += int(e.text.size()) - e.length;
        const TextEdit &last = r.edits.last();
        const int first = doc.lineFromPosition(r.edits.first().position);
        doc.applyEdits(r.edits);
        if (doc.colorCoding())
            doc.colorCodeLines(first, doc.lineFromPosition(last.position + grown + last.length));
    }
    return true;
}
