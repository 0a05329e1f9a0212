#include "documents/documentstatus.h"

#include "documents/documentcontroller.h"
#include "editor/sourceeditor.h"

#include <QLabel>
#include <QStatusBar>

namespace {
QLabel *makePanel(QStatusBar *bar, const QString &name, int width, int stretch,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto *label = new QLabel(bar);
    label->setObjectName(name);
    label->setMinimumWidth(width);
    label->setAlignment(align);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(label, stretch);
    return label;
}
} // namespace

DocumentStatus::DocumentStatus(DocumentController &docs, QWidget *window, QStatusBar *bar)
    : QObject(window), m_docs(docs), m_window(window),
      m_lastSave(makePanel(bar, QStringLiteral("statusLastSave"), 300, 0)),
      m_position(makePanel(bar, QStringLiteral("statusPosition"), 80, 0, Qt::AlignCenter)),
      m_mode(makePanel(bar, QStringLiteral("statusMode"), 120, 1)),
      m_spare(makePanel(bar, QStringLiteral("statusSpare"), 100, 0)) {
    bar->setSizeGripEnabled(true);
    connect(&docs, &DocumentController::currentDocumentChanged, this,
            &DocumentStatus::showDocument);
    connect(&docs, &DocumentController::fileStateChanged, this, [this](const SourceDocument &doc) {
        if (&doc == &m_docs.current())
            showDocument(doc);
    });
    connect(&docs, &DocumentController::caretMoved, this, &DocumentStatus::setCaretPosition);
    connect(&docs, &DocumentController::insertModeChanged, this, &DocumentStatus::setInsertMode);
    if (docs.count() > 0)
        showDocument(docs.current());
}

void DocumentStatus::showDocument(const SourceDocument &doc) {
    setCaption(doc.fileName());
    setLastSave(doc.lastSave());
    setCaretPosition(doc.activeView()->col(), doc.activeView()->row());
    setInsertMode(doc.activeView()->isOverwriteMode());
}

void DocumentStatus::setCaption(const QString &fileName) {
    m_window->setWindowTitle(QStringLiteral("Marlo - ") + fileName);
}

void DocumentStatus::setLastSave(const QString &time) {
    m_lastSave->setText(QStringLiteral("Last save: ") + time);
}

void DocumentStatus::setCaretPosition(int column, int line) {
    m_position->setText(QStringLiteral("%1:%2").arg(column + 1).arg(line + 1));
}

void DocumentStatus::setInsertMode(bool overwrite) {
    m_mode->setText(overwrite ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}

QString DocumentStatus::positionText() const { return m_position->text(); }
QString DocumentStatus::modeText() const { return m_mode->text(); }
