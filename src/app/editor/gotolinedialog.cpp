#include "editor/gotolinedialog.h"

#include "editor/editortexts.h"
#include "shell/prompts.h"
#include "widgets/windowplacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace {

// A whole decimal number with an optional sign and surrounding blanks. Numbers beyond the int
// range still are whole numbers: they are clamped (the owner clamps to the last line anyway)
// rather than reported as "not an integer".
std::optional<int> wholeNumber(const QString &text) {
    static const QRegularExpression pattern(QStringLiteral("^([+-]?)0*([0-9]+)$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const bool negative = match.captured(1) == QLatin1String("-");
    const QString digits = match.captured(2);
    bool ok = false;
    const qlonglong magnitude = digits.size() > 18 ? -1 : digits.toLongLong(&ok);
    if (!ok || magnitude > std::numeric_limits<int>::max())
        return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

GoToLineDialog::GoToLineDialog(Prompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_prompts(prompts) {
    setObjectName(QStringLiteral("goToLineDialog"));
    setWindowTitle(QStringLiteral("Go to line"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *label = new QLabel(QStringLiteral("Go to line:"), this);
    m_line = new QLineEdit(this);
    m_line->setObjectName(QStringLiteral("lineNumber"));
    label->setBuddy(m_line);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    // A small window: the buttons share its width instead of insisting on the style's wide
    // default, and the field needs room for a few digits only.
    for (QPushButton *button : {ok, cancel}) {
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    m_line->setMinimumWidth(m_line->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    m_line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_line, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(layout->minimumSize().expandedTo(QSize(qMax(121, titleWidth(this)), 73)));

    connect(ok, &QPushButton::clicked, this, &GoToLineDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GoToLineDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centerOnScreen(this);
    m_line->setFocus();
}

void GoToLineDialog::confirm() {
    const QString text = m_line->text();
    if (!text.isEmpty()) {
        if (const std::optional<int> n = wholeNumber(text))
            Q_EMIT lineRequested(*n);
        else
            m_prompts.information(EditorTexts::NotAWholeNumber);
    }
    accept();
}
