#include "wizards/javascriptcommands.h"

#include "editor/editorprovider.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "shell/prompts.h"
#include "wizards/customscripts.h"
#include "wizards/javascriptdialog.h"

#include <QDir>
#include <QFileInfo>

JavaScriptCommands::JavaScriptCommands(AppContext &ctx, EditorProvider &docs,
                                       ActionRegistry &commands, QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    commands.add(QStringLiteral("actionJavaScripts"), this, &JavaScriptCommands::showDialog);
}

void JavaScriptCommands::showDialog() {
    JavaScriptDialog dialog(
        m_ctx.prompt(), customScriptFolder(m_ctx.paths.dataDir),
        [this](const JavaScriptFields &f) { return insert(f); },
        [this](const QString &file) {
            return makeReference(file, m_ctx.settings, m_docs.currentFileName());
        },
        m_window);
    connect(&dialog, &JavaScriptDialog::helpRequested, this,
            [this] { Q_EMIT helpRequested(QStringLiteral("javascript")); });
    const QFileInfo document(m_docs.currentFileName());
    if (document.isAbsolute() && document.dir().exists())
        dialog.setSlideFolder(document.absolutePath());
    Q_EMIT dialogOpened(&dialog);
    dialog.exec();
}

bool JavaScriptCommands::insert(const JavaScriptFields &fields) {
    SourceEditor *ed = m_docs.currentEditor();
    if (!ed)
        return true;
    const JavaScriptResult r =
        buildJavaScript(ed->text(), ed->selectionStart(), ed->selectionLength(), fields);
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
        const int first = ed->lineFromPosition(r.edits.first().position);
        ed->applyEdits(r.edits);
        if (ed->colorCoding())
            ed->colorCodeLines(first, ed->lineFromPosition(last.position + grown + last.length));
    }
    return true;
}
