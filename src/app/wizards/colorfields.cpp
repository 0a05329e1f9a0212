#include "wizards/colorfields.h"

#include "shell/appcontext.h"
#include "tools/recentlists.h"
#include "widgets/colorcombobox.h"
#include "wizards/htmlcolors.h"

#include <QHBoxLayout>
#include <QToolButton>

ColorFields::ColorFields(AppContext &ctx, QWidget *dialog)
    : QObject(dialog), m_ctx(ctx), m_dialog(dialog) {}

QWidget *ColorFields::add(const QString &objectName) {
    auto *row = new QWidget(m_dialog);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *box = new ColorComboBox(row);
    box->setObjectName(objectName);
    box->setColorList(htmlColorList(m_ctx.settings), {{HtmlColors::No, QColor()}});
    // Colours added to the dialog's other fields before this one came.
    if (!m_boxes.isEmpty())
        for (int i = 0; i < m_boxes.first()->count(); ++i)
            box->addColorText(m_boxes.first()->itemText(i));
    layout->addWidget(box, 1);
    auto *more = new QToolButton(row);
    more->setObjectName(objectName + QStringLiteral("Pick"));
    more->setText(QStringLiteral("..."));
    more->setToolTip(QStringLiteral("Choose a colour"));
    layout->addWidget(more);
    const int index = int(m_boxes.size());
    m_boxes << box;
    connect(box, &QComboBox::currentIndexChanged, this, [this, index] { Q_EMIT changed(index); });
    connect(more, &QToolButton::clicked, this, [this, index] { pick(index); });
    return row;
}

QString ColorFields::text(int index) const {
    const QString name = m_boxes.at(index)->selectedName();
    return name.isEmpty() ? HtmlColors::No : name;
}

void ColorFields::setText(int index, const QString &color) {
    const QString name = normalizedHtmlColorText(color);
    if (leavesColorOut(name)) {
        m_boxes.at(index)->selectColor(HtmlColors::No);
        return;
    }
    addEverywhere(name);
    select(index, name);
}

void ColorFields::pick(int index) {
    const std::optional<QString> chosen = pickHtmlColor(m_ctx.prompt(), text(index));
    if (!chosen)
        return;
    addEverywhere(*chosen);
    select(index, *chosen);
}

void ColorFields::select(int index, const QString &color) {
    // A text that names no colour ("#12345") is the tag's own and is written back as it stands.
    m_boxes.at(index)->selectOrKeep(color);
}

void ColorFields::addEverywhere(const QString &color) {
    if (ColorComboBox::addColorTextToAll(m_boxes, color))
        pushRecentColor(m_ctx.settings, color);
}
