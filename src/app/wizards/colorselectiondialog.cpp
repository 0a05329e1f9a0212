#include "wizards/colorselectiondialog.h"

#include "widgets/colorcombobox.h"
#include "widgets/dialogsetup.h"
#include "wizards/htmlcolors.h"

#include <QHBoxLayout>
#include <QKeyEvent>
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

    // A click in the opened list chooses; on the closed list, letters and arrows only look
    // through the colours (so that "black" can be reached past "blue") and Enter chooses.
    m_box->installEventFilter(this);
    connect(m_box, &QComboBox::activated, this, [this](int index) {
        if (!m_browsing)
            choose(index);
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

void ColorSelectionDialog::choose(int index) {
    if (index < 0)
        return;
    Q_EMIT colorChosen(m_box->itemText(index));
    accept();
}

bool ColorSelectionDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_box || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        choose(m_box->currentIndex());
        return true;
    }
    // The list handles the key now, while a change of item it makes counts as browsing.
    m_browsing = true;
    static_cast<QObject *>(m_box)->event(event);
    m_browsing = false;
    return true;
}

void ColorSelectionDialog::placeAt(const QPoint &pointer) {
    adjustSize();
    move(qMax(0, pointer.x() - width()), pointer.y());
}
