#include "documents/statuspanels.h"

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

StatusPanels::StatusPanels(QStatusBar *bar)
    : m_lastSave(makePanel(bar, QStringLiteral("statusLastSave"), 300, 0)),
      m_position(makePanel(bar, QStringLiteral("statusPosition"), 80, 0, Qt::AlignCenter)),
      m_mode(makePanel(bar, QStringLiteral("statusMode"), 120, 1)),
      m_spare(makePanel(bar, QStringLiteral("statusSpare"), 100, 0)) {
    bar->setSizeGripEnabled(true);
    setInsertMode(false);
    setPosition(QStringLiteral("1:1"));
}

void StatusPanels::setLastSave(const QString &text) {
    m_lastSave->setText(QStringLiteral("Last save: ") + text);
}

void StatusPanels::setPosition(const QString &text) { m_position->setText(text); }

void StatusPanels::setInsertMode(bool overwrite) {
    m_mode->setText(overwrite ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
}
