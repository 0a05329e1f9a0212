#include "shell/tipofthedaydialog.h"

#include "shell/tips.h"
#include "widgets/windowplacement.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TipOfTheDayDialog::TipOfTheDayDialog(int &totd, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_totd(totd) {
    setObjectName(QStringLiteral("tipOfTheDayDialog"));
    setWindowTitle(QStringLiteral("Tip of the day"));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("tipText"));
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setMinimumSize(300, 80);

    m_showOnStartup = new QCheckBox(QStringLiteral("Show tips on startup"), this);
    m_showOnStartup->setObjectName(QStringLiteral("showOnStartup"));
    m_showOnStartup->setChecked(true);

    m_next = new QPushButton(QStringLiteral("Next tip >"), this);
    m_next->setObjectName(QStringLiteral("nextTipButton"));
    m_next->setAutoDefault(false);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_showOnStartup);
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    resize(420, 190);

    connect(m_next, &QPushButton::clicked, this, &TipOfTheDayDialog::showNextTip);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    // A negative number means the user switched tips off; opening the window anyway shows
    // that choice in the box and carries on from the last tip shown.
    if (m_totd < 0) {
        m_showOnStartup->setChecked(false);
        m_totd = tipMagnitude(m_totd);
    }
    showNextTip();
}

QString TipOfTheDayDialog::currentText() const {
    return m_text->toPlainText();
}

void TipOfTheDayDialog::showNextTip() {
    m_totd = nextTip(m_totd);
    m_text->setPlainText(tipText(m_totd));
}

void TipOfTheDayDialog::done(int result) {
    // Every way out (Close, Esc, the window's close box) keeps the box's choice, so tips the
    // user switched off are not switched back on by closing the window some other way.
    m_totd = storedTotd(m_totd, m_showOnStartup->isChecked());
    QDialog::done(result);
}

void TipOfTheDayDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centerOnScreen(this);
}
