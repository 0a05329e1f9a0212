#include "editor/textconversiondialog.h"
#include "widgets/windowplacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QRadioButton *radio(const QString &text, const QString &name, QWidget *parent) {
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

QGroupBox *TextConversionDialog::buildLatin1Group() {
    auto *latin1 = new QGroupBox(QStringLiteral("Latin 1 encoding"), this);
    latin1->setObjectName(QStringLiteral("latin1Group"));
    m_toEntities = radio(QString(), QStringLiteral("toEntities"), latin1);
    m_fromEntities = radio(QString(), QStringLiteral("fromEntities"), latin1);
    m_latin1NoChange = radio(QStringLiteral("No change"), QStringLiteral("latin1NoChange"), latin1);
    m_latin1NoChange->setChecked(true);
    m_toEntitiesLabel = labelledRadio(
        m_toEntities, QStringLiteral("Convert extended characters to their HTML equivelents"),
        QStringLiteral("toEntitiesLabel"));
    m_fromEntitiesLabel =
        labelledRadio(m_fromEntities, QStringLiteral("Convert HTML tags to extended characters."),
                      QStringLiteral("fromEntitiesLabel"));
    auto *latin1Layout = new QGridLayout(latin1);
    latin1Layout->setColumnStretch(1, 1);
    // Each button stands level with the first line of its wrapped caption: whichever of the
    // two is shorter is moved down by half the difference.
    const int difference =
        m_toEntitiesLabel->fontMetrics().height() - m_toEntities->sizeHint().height();
    for (int row = 0; row < 2; ++row) {
        QRadioButton *button = row == 0 ? m_toEntities : m_fromEntities;
        QLabel *label = row == 0 ? m_toEntitiesLabel : m_fromEntitiesLabel;
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setContentsMargins(0, qMax(0, -difference / 2), 0, 0);
        auto *cell = new QVBoxLayout;
        cell->setContentsMargins(0, qMax(0, difference / 2), 0, 0);
        cell->addWidget(button);
        cell->addStretch(1);
        latin1Layout->addLayout(cell, row, 0);
    }
    latin1Layout->addWidget(m_toEntitiesLabel, 0, 1);
    latin1Layout->addWidget(m_fromEntitiesLabel, 1, 1);
    latin1Layout->addWidget(m_latin1NoChange, 2, 0, 1, 2);
    return latin1;
}

TextConversionDialog::TextConversionDialog(QWidget *parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("textConversionDialog"));
    setWindowTitle(QStringLiteral("Text conversion"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *question =
        new QLabel(QStringLiteral("What kind of Text conversion would you like to do?"), this);
    question->setWordWrap(true);

    QGroupBox *latin1 = buildLatin1Group();

    auto *slashes = new QGroupBox(QStringLiteral("Slashes"), this);
    slashes->setObjectName(QStringLiteral("slashesGroup"));
    m_backslashToSlash =
        radio(QStringLiteral("Convert \\ to /"), QStringLiteral("backslashToSlash"), slashes);
    m_slashToBackslash =
        radio(QStringLiteral("Convert / to \\"), QStringLiteral("slashToBackslash"), slashes);
    m_slashesNoChange =
        radio(QStringLiteral("No change"), QStringLiteral("slashesNoChange"), slashes);
    m_slashesNoChange->setChecked(true);
    auto *slashesLayout = new QVBoxLayout(slashes);
    slashesLayout->addWidget(m_backslashToSlash);
    slashesLayout->addWidget(m_slashToBackslash);
    slashesLayout->addWidget(m_slashesNoChange);
    slashesLayout->addStretch(1);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);

    auto *groups = new QHBoxLayout;
    groups->addWidget(latin1, 3);
    groups->addWidget(slashes, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TextConversionDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(sizeHint().expandedTo(QSize(352, 220)));
}

QLabel *TextConversionDialog::labelledRadio(QRadioButton *button, const QString &caption,
                                            const QString &name) {
    // The long captions wrap, which a radio button's own text cannot; the label stands in for
    // it, so it must check the button when clicked and name it for screen readers.
    auto *label = new QLabel(caption, button->parentWidget());
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setBuddy(button);
    label->installEventFilter(this);
    button->setAccessibleName(caption);
    return label;
}

bool TextConversionDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_toEntitiesLabel) {
            m_toEntities->setChecked(true);
            m_toEntities->setFocus(Qt::MouseFocusReason);
            return true;
        }
        if (watched == m_fromEntitiesLabel) {
            m_fromEntities->setChecked(true);
            m_fromEntities->setFocus(Qt::MouseFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TextConversionDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centerOnScreen(this);
}

TextConversionOptions TextConversionDialog::options() const {
    TextConversionOptions result;
    if (m_toEntities->isChecked())
        result.latin1 = TextConversionOptions::Latin1::ToEntities;
    else if (m_fromEntities->isChecked())
        result.latin1 = TextConversionOptions::Latin1::FromEntities;
    if (m_backslashToSlash->isChecked())
        result.slashes = TextConversionOptions::Slashes::BackslashToSlash;
    else if (m_slashToBackslash->isChecked())
        result.slashes = TextConversionOptions::Slashes::SlashToBackslash;
    return result;
}

void TextConversionDialog::confirm() {
    // Hidden first, so the owner's count message does not appear on top of this window.
    hide();
    Q_EMIT conversionRequested(options());
    accept();
}
