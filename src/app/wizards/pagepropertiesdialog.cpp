#include "wizards/pagepropertiesdialog.h"

#include "shell/prompts.h"
#include "viewer/htmlviewer.h"
#include "widgets/colorcombobox.h"
#include "wizards/fieldchoices.h"
#include "wizards/htmlcolors.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace DialogParts;

namespace {
const QString ImageFilter = QStringLiteral("Image Files (*.gif *.jpg *.jpeg)");
const QColor DefaultBackground(0xC0, 0xC0, 0xC0);
const QColor DefaultText(0, 0, 0);
const QColor DefaultLink(0, 0, 0xFF);
const QColor DefaultVisited(0x54, 0x14, 0x84);
const QColor DefaultActive(0xFF, 0, 0);
} // namespace

PagePropertiesDialog::PagePropertiesDialog(const TagDialogEnvironment &env, QWidget *parent)
    : QDialog(parent), m_env(env) {
    setObjectName(QStringLiteral("pagePropertiesDialog"));
    setWindowTitle(QStringLiteral("HTML page properties"));
    buildFields();
    buildSample();

    m_sampleButton = new QPushButton(QStringLiteral("With/without background image"), this);
    m_sampleButton->setObjectName(QStringLiteral("sampleButton"));
    m_sampleButton->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_sampleButton);
    bottom->addStretch(1);
    bottom->addWidget(okCancelButtons(this));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(m_grid);
    layout->addSpacing(6);
    layout->addWidget(m_sample);
    layout->addLayout(bottom);

    connect(m_sampleButton, &QPushButton::clicked, this,
            [this] { setBackgroundSampleShown(!backgroundSampleShown()); });
    // Any change returns to the plain sample, which follows the colours.
    auto changed = [this] { setBackgroundSampleShown(false); };
    for (QLineEdit *e : {m_title, m_leftmargin, m_topmargin, m_other})
        connect(e, &QLineEdit::textEdited, this, changed);
    for (QComboBox *c : {m_background, m_bgproperties})
        connect(c, &QComboBox::editTextChanged, this, changed);
    for (ColorComboBox *c : colorBoxes())
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            setBackgroundSampleShown(false);
            updateSample();
        });
    updateSample();
}

void PagePropertiesDialog::buildFields() {
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(10);
    m_title = lineEdit(this, QStringLiteral("title"));
    m_title->setMinimumWidth(m_title->fontMetrics().averageCharWidth() * 40);
    m_grid->addWidget(new QLabel(QStringLiteral("Document title:"), this), 0, 0);
    m_grid->addWidget(m_title, 0, 1, 1, 2);

    m_background = new QComboBox(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->setEditable(true);
    m_background->setInsertPolicy(QComboBox::NoInsert);
    m_background->addItems(m_env.recentImages);
    m_background->setCurrentText(QString());
    m_background->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_background->setMinimumContentsLength(20);
    QToolButton *browse = browseButton(this, QStringLiteral("browseBackground"));
    m_grid->addWidget(new QLabel(QStringLiteral("Background Image:"), this), 1, 0);
    m_grid->addWidget(m_background, 1, 1);
    m_grid->addWidget(browse, 1, 2);

    m_bgcolor = addColorRow(QStringLiteral("Background Color:"), QStringLiteral("bgcolor"),
                            DefaultBackground, 2);
    m_text = addColorRow(QStringLiteral("Text Color:"), QStringLiteral("textColor"), DefaultText, 3);
    m_link = addColorRow(QStringLiteral("Link Color:"), QStringLiteral("linkColor"), DefaultLink, 4);
    m_vlink = addColorRow(QStringLiteral("Visited Link Color:"), QStringLiteral("vlinkColor"),
                          DefaultVisited, 5);
    m_alink = addColorRow(QStringLiteral("Avtive Link Color:"), QStringLiteral("alinkColor"),
                          DefaultActive, 6);

    m_bgproperties = new QComboBox(this);
    m_bgproperties->setObjectName(QStringLiteral("bgproperties"));
    m_bgproperties->setEditable(true);
    m_bgproperties->addItems(backgroundPropertiesItems() << QString());
    m_bgproperties->setCurrentIndex(1);
    m_grid->addWidget(new QLabel(QStringLiteral("Bgproperties:"), this), 7, 0);
    m_grid->addWidget(m_bgproperties, 7, 1);
    m_leftmargin = lineEdit(this, QStringLiteral("leftmargin"));
    m_topmargin = lineEdit(this, QStringLiteral("topmargin"));
    auto *margins = new QHBoxLayout;
    margins->addWidget(m_leftmargin);
    margins->setSpacing(10);
    margins->addWidget(new QLabel(QStringLiteral("Topmargin:"), this));
    margins->addWidget(m_topmargin);
    m_grid->addWidget(new QLabel(QStringLiteral("Leftmargin:"), this), 8, 0);
    m_grid->addLayout(margins, 8, 1, 1, 2);
    m_other = lineEdit(this, QStringLiteral("otherAttributes"));
    m_grid->addWidget(new QLabel(QStringLiteral("Other attributes:"), this), 9, 0);
    m_grid->addWidget(m_other, 9, 1, 1, 2);
    m_grid->setColumnStretch(1, 1);
    connect(browse, &QToolButton::clicked, this, [this] {
        if (!m_env.prompts)
            return;
        const QString chosen =
            m_env.prompts->openFileName(windowTitle(), m_env.documentFolder(), ImageFilter);
        if (!chosen.isEmpty())
            m_background->setCurrentText(chosen);
    });
}

// The sample: the colours on the background colour, or a page over the background image.
void PagePropertiesDialog::buildSample() {
    m_sample = new QStackedWidget(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setFixedHeight(150);
    m_plainSample = new QFrame(m_sample);
    m_plainSample->setObjectName(QStringLiteral("plainSample"));
    m_plainSample->setFrameShape(QFrame::StyledPanel);
    m_plainSample->setAutoFillBackground(true);
    m_plainSample->installEventFilter(this);
    auto *lines = new QVBoxLayout(m_plainSample);
    auto sampleLine = [this, lines](const QString &text, const QString &name) {
        auto *label = new QLabel(text, m_plainSample);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        lines->addWidget(label);
        return label;
    };
    m_textSample = sampleLine(QStringLiteral("This is the text color."), QStringLiteral("textSample"));
    m_linkSample = sampleLine(QStringLiteral("This is the link color."), QStringLiteral("linkSample"));
    m_alinkSample = sampleLine(QStringLiteral("This is the active link color."),
                               QStringLiteral("alinkSample"));
    m_vlinkSample = sampleLine(QStringLiteral("This is the visited link color."),
                               QStringLiteral("vlinkSample"));
    m_viewer = new HtmlViewer(m_sample);
    m_viewer->setObjectName(QStringLiteral("sampleViewer"));
    m_viewer->setDefFontName(QStringLiteral("Times New Roman"));
    m_viewer->setDefPreFontName(QStringLiteral("Courier New"));
    m_viewer->setDefFontSize(10);
    m_viewer->setViewImages(true);
    m_viewer->setTextDirectory(m_env.documentFolder());
    m_sample->addWidget(m_plainSample);
    m_sample->addWidget(m_viewer);
}

ColorComboBox *PagePropertiesDialog::addColorRow(const QString &label, const QString &name,
                                                 const QColor &shown, int row) {
    auto *box = new ColorComboBox(this);
    box->setObjectName(name);
    box->setColorList(m_env.colorList, {{HtmlColors::Default, shown}});
    QToolButton *pick = browseButton(this, name + QStringLiteral("Pick"));
    connect(pick, &QToolButton::clicked, this, [this, box] { pickColor(box); });
    m_grid->addWidget(new QLabel(label, this), row, 0);
    m_grid->addWidget(box, row, 1);
    m_grid->addWidget(pick, row, 2);
    return box;
}

QList<ColorComboBox *> PagePropertiesDialog::colorBoxes() const {
    return {m_bgcolor, m_text, m_link, m_vlink, m_alink};
}

void PagePropertiesDialog::selectColor(ColorComboBox *box, const QString &text) {
    if (text.isEmpty())
        return;
    if (ColorComboBox::addColorTextToAll(colorBoxes(), text))
        Q_EMIT newColor(text);
    box->selectOrKeep(text);
}

void PagePropertiesDialog::pickColor(ColorComboBox *box) {
    if (!m_env.prompts)
        return;
    const std::optional<QString> text = pickHtmlColor(*m_env.prompts, box->selectedName());
    if (text)
        selectColor(box, *text);
}

void PagePropertiesDialog::setProperties(const PageProperties &p) {
    m_title->setText(p.title);
    m_background->setCurrentText(p.background);
    selectColor(m_bgcolor, p.bgcolor);
    selectColor(m_text, p.text);
    selectColor(m_link, p.link);
    selectColor(m_vlink, p.vlink);
    selectColor(m_alink, p.alink);
    m_bgproperties->setCurrentText(p.bgproperties);
    m_leftmargin->setText(p.leftmargin);
    m_topmargin->setText(p.topmargin);
    m_other->setText(p.other);
    setBackgroundSampleShown(false);
    updateSample();
}

PageProperties PagePropertiesDialog::properties() const {
    PageProperties p;
    p.title = m_title->text();
    p.background = m_background->currentText();
    p.bgcolor = m_bgcolor->selectedName();
    p.text = m_text->selectedName();
    p.link = m_link->selectedName();
    p.vlink = m_vlink->selectedName();
    p.alink = m_alink->selectedName();
    p.bgproperties = m_bgproperties->currentText();
    p.leftmargin = m_leftmargin->text();
    p.topmargin = m_topmargin->text();
    p.other = m_other->text();
    return p;
}

bool PagePropertiesDialog::backgroundSampleShown() const {
    return m_sample->currentWidget() == m_viewer;
}

void PagePropertiesDialog::setBackgroundSampleShown(bool shown) {
    if (shown == backgroundSampleShown())
        return;
    if (shown) {
        // Built in memory: nothing is written beside the document.
        m_viewer->setTextDirectory(m_env.documentFolder());
        m_viewer->loadFromString(buildSamplePage(properties()));
    }
    m_sample->setCurrentWidget(shown ? static_cast<QWidget *>(m_viewer) : m_plainSample);
}

void PagePropertiesDialog::updateSample() {
    auto colorOf = [](const ColorComboBox *box, const QColor &fallback) {
        const QColor c = box->selectedColor();
        return c.isValid() ? c : fallback;
    };
    QPalette palette = m_plainSample->palette();
    palette.setColor(QPalette::Window, colorOf(m_bgcolor, DefaultBackground));
    m_plainSample->setPalette(palette);
    const QList<QPair<QLabel *, QColor>> lines = {
        {m_textSample, colorOf(m_text, DefaultText)},
        {m_linkSample, colorOf(m_link, DefaultLink)},
        {m_alinkSample, colorOf(m_alink, DefaultActive)},
        {m_vlinkSample, colorOf(m_vlink, DefaultVisited)},
    };
    for (const auto &line : lines) {
        QPalette p = line.first->palette();
        p.setColor(QPalette::WindowText, line.second);
        line.first->setPalette(p);
    }
}

bool PagePropertiesDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_plainSample && event->type() == QEvent::MouseButtonDblClick) {
        setBackgroundSampleShown(true);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
