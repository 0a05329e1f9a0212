#include "wizards/colorselectiondialog.h"

#include "widgets/colorcombobox.h"
#include "widgets/dialogsetup.h"
#include "wizards/htmlcolors.h"

#include <QHBoxLayout>
#include <QToolButton>

ColorSelectionDialog::ColorSelectionDialog(const QStringList &colorList, Prompts &prompts,
                                           QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_prompts(prompts) {
    setObjectName(QStringLiteral("colorSelectionDialog"));
    setWindowTitle(QStringLiteral("Color Selection"));
    DialogSetup::install(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_box = new ColorComboBox(this);
    m_box->setObjectName(QStringLiteral("colors"));
    m_box->setColorList(colorList);
    m_box->setCurrentIndex(-1);
    m_box->setPlaceholderText(QStringLiteral("Choose a color"));
    auto *pick = new QToolButton(this);
    pick->setObjectName(QStringLiteral("pickColor"));
    pick->setText(QStringLiteral("..."));
    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_box);
    layout->addWidget(pick);

    connect(m_box, &QComboBox::activated, this, [this](int index) {
        Q_EMIT colorChosen(m_box->itemText(index));
        accept();
    });
    connect(pick, &QToolButton::clicked, this, [this] {
        const std::optional<QString> text = pickHtmlColor(m_prompts, m_box->selectedName());
        if (!text)
            return;
        if (m_box->addColorText(*text))
            Q_EMIT newColor(*text);
        m_box->selectColor(*text);
        Q_EMIT colorChosen(*text);
        accept();
    });
}

void ColorSelectionDialog::placeAt(const QPoint &pointer) {
    adjustSize();
    move(qMax(0, pointer.x() - width()), pointer.y());
}
