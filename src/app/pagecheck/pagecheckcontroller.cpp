#include "pagecheck/pagecheckcontroller.h"

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"
#include "pagecheck/pagecheck.h"
#include "pagecheck/pagecheckpanel.h"
#include "shell/actionregistry.h"
#include "shell/filepaths.h"

#include <QAction>
#include <QApplication>
#include <QTreeView>
#include <algorithm>

namespace {

QString counted(int n, const char *one, const char *many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// "page.htm: 2 errors, 5 warnings, 1 broken link", or that it has no problems; notes are not
// problems.
QString summaryOf(const QString &fileName, const PageFindings &findings) {
    int errors = 0;
    int warnings = 0;
    int links = 0;
    for (const PageFinding &f : findings) {
        if (f.isBrokenLink())
            ++links;
        else if (f.severity == PageFinding::Severity::Error)
            ++errors;
        else if (f.severity == PageFinding::Severity::Warning)
            ++warnings;
    }
    QStringList parts;
    if (errors > 0)
        parts << counted(errors, "error", "errors");
    if (warnings > 0)
        parts << counted(warnings, "warning", "warnings");
    if (links > 0)
        parts << counted(links, "broken link", "broken links");
    const QString name = fileNamePart(fileName);
    if (parts.isEmpty())
        return name + QStringLiteral(": no problems found");
    return name + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

} // namespace

PageCheckController::PageCheckController(DocumentAccess &docs, PageCheckPanel *panel,
                                         ActionRegistry &commands, QWidget *window)
    : QObject(window), m_docs(docs), m_panel(panel) {
    m_check = commands.add(QStringLiteral("actionCheckPage"), this,
                           &PageCheckController::checkCurrentPage);

    m_panel->hide();
    connect(m_panel, &PageCheckPanel::findingChosen, this, &PageCheckController::goTo);
    connect(m_panel, &PageCheckPanel::leaveRequested, this,
            [this] { m_docs.currentView().setFocus(); });
    connect(m_panel, &PageCheckPanel::closeRequested, this, &PageCheckController::closePanel);
    connect(&m_docs, &DocumentAccess::currentDocumentChanged, this, [this](SourceDocument &doc) {
        if (&doc != m_checked)
            clearList();
    });
    connect(&m_docs, &DocumentAccess::fileStateChanged, this, [this](SourceDocument &doc) {
        if (&doc == &m_docs.current() && doc.fileName() != m_checkedName)
            clearList();
    });
}

void PageCheckController::checkCurrentPage() {
    SourceDocument &doc = m_docs.current();
    const QString fileName = doc.fileName();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PageFindings findings = checkPage(doc.text(), fileName);
    m_checked = &doc;
    m_checkedName = fileName;
    m_panel->showFindings(summaryOf(fileName, findings), findings);
    m_panel->show();
    QApplication::restoreOverrideCursor();
    // With problems to look at, the keys go to the list: arrows choose, Enter goes there.
    // Notes alone leave them in the editor.
    const bool problems = std::any_of(findings.begin(), findings.end(), [](const PageFinding &f) {
        return f.severity != PageFinding::Severity::Info;
    });
    if (problems)
        m_panel->list()->setFocus();
}

void PageCheckController::goTo(const PageFinding &finding) {
    if (&m_docs.current() != m_checked || finding.line < 1)
        return;
    SourceEditor *editor = &m_docs.currentView();
    editor->setRow(finding.line - 1);
    editor->setCol(qMax(0, finding.column - 1));
    // A line out of sight comes into view with a few lines above it, as Go to line shows it.
    if (!editor->viewport()->rect().contains(editor->cursorRect()))
        editor->scrollToPosition(editor->selectionStart(), 5);
    editor->ensureCursorVisible();
    editor->setFocus();
}

void PageCheckController::clearList() {
    m_checked = nullptr;
    m_checkedName.clear();
    m_panel->clear(QStringLiteral("Check page (%1) lists the problems of this page.")
                       .arg(m_check->shortcut().toString(QKeySequence::NativeText)));
}

void PageCheckController::closePanel() {
    m_panel->hide();
    m_docs.currentView().setFocus();
}
