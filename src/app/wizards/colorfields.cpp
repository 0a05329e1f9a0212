#include "wizards/colorfields.h"

#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "tools/recentlists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>

ColorFields::ColorFields(AppContext &ctx, QWidget *dialog)
    : QObject(dialog), m_ctx(ctx), m_dialog(dialog) {}

QWidget *ColorFields::add(const QString &objectName) {
    auto *row = new QWidget(m_dialog);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *box = new QComboBox(row);
    box->setObjectName(objectName);
    box->addItem(QStringLiteral("no"));
    for (const QString &name : m_ctx.settings.colorList) {
        if (name.isEmpty())
            break;
        box->addItem(name);
    }
    box->setMinimumWidth(120);
    layout->addWidget(box, 1);
    auto *more = new QToolButton(row);
    more->setObjectName(objectName + QStringLiteral("Pick"));
    more->setText(QStringLiteral("..."));
    layout->addWidget(more);
    const int index = int(m_boxes.size());
    m_boxes << box;
    connect(box, &QComboBox::currentIndexChanged, this, [this, index] { Q_EMIT changed(index); });
    connect(more, &QToolButton::clicked, this, [this, index] { pick(index); });
    return row;
}

QString ColorFields::text(int index) const { return m_boxes.at(index)->currentText(); }

void ColorFields::setText(int index, const QString &color) {
    const QString name = color.isEmpty() ? QStringLiteral("no") : color;
    addEverywhere(name);
    QComboBox *box = m_boxes.at(index);
    box->setCurrentIndex(box->findText(name));
}

void ColorFields::pick(int index) {
    const std::optional<QColor> c = m_ctx.prompt().pickColor(Qt::white);
    if (!c)
        return;
    setText(index, c->name(QColor::HexRgb).toUpper());
}

void ColorFields::addEverywhere(const QString &color) {
    if (m_boxes.isEmpty() || m_boxes.first()->findText(color) >= 0)
        return;
    for (QComboBox *box : m_boxes)
        box->addItem(color);
    pushRecentColor(m_ctx.settings, color);
}
