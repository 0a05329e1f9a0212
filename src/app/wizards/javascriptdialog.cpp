#include "wizards/javascriptdialog.h"

#include "shell/prompts.h"
#include "widgets/dialogsetup.h"
#include "wizards/customscriptpage.h"
#include "wizards/slideshowpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString TickerSample = QStringLiteral("This is what the ticker will look like.");
constexpr int TickerPreviewSteps = 40;

QLabel *note(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QVBoxLayout *pageLayout(QWidget *page) {
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 12, 12, 12);
    return layout;
}

QLineEdit *previewField(QWidget *parent) {
    auto *field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    field->setFont(mono);
    return field;
}

void toggleTimer(QTimer *timer, QPushButton *button) {
    if (timer->isActive()) {
        timer->stop();
        button->setText(QStringLiteral("Start"));
    } else {
        timer->start();
        button->setText(QStringLiteral("Stop it"));
    }
}

} // namespace

JavaScriptDialog::JavaScriptDialog(Prompts &prompts, const QString &scriptFolder, Inserter inserter,
                                   std::function<QString(const QString &)> makeReference,
                                   QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_inserter(std::move(inserter)),
      m_makeReference(std::move(makeReference)) {
    setObjectName(QStringLiteral("javaScriptDialog"));
    setWindowTitle(QStringLiteral("JavaScripts"));
    DialogSetup::install(this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("javaScriptTabs"));
    m_tabs->addTab(buildScrollerPage(), QStringLiteral("Scrolling Statusbar"));
    m_tabs->addTab(buildTickerPage(), QStringLiteral("Ticker"));
    m_tabs->addTab(buildMarqueePage(), QStringLiteral("Marquee"));
    m_tabs->addTab(buildAutoscrollPage(), QStringLiteral("Autoscroll"));
    m_slidePage = new SlideShowPage(prompts, m_makeReference, this);
    m_tabs->addTab(m_slidePage, QStringLiteral("Slide Show"));
    m_tabs->addTab(buildFadePage(), QStringLiteral("Fade in/out"));
    m_tabs->addTab(buildClockPage(), QStringLiteral("Time/Date"));
    m_tabs->addTab(buildDetourPage(), QStringLiteral("Detour page"));
    m_customPage = new CustomScriptPage(prompts, scriptFolder, this);
    m_tabs->addTab(m_customPage, QStringLiteral("Custom script"));

    auto *footer = note(QStringLiteral("If you paste more than one script in a HTML document, you "
                                       "will have to some manual adjustments."),
                        this);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QPushButton *help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    connect(ok, &QPushButton::clicked, this, &JavaScriptDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &JavaScriptDialog::helpRequested);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(footer);
    layout->addWidget(buttons);
    m_scrollerText->setFocus();
    // Wide enough for every page's tab.
    resize(qMax(640, m_tabs->tabBar()->sizeHint().width() + 40), 480);
}

QWidget *JavaScriptDialog::buildScrollerPage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    auto *form = new QFormLayout;
    m_scrollerText = new QLineEdit(page);
    m_scrollerText->setObjectName(QStringLiteral("scrollerText"));
    m_scrollerSpeed = new QComboBox(page);
    m_scrollerSpeed->setObjectName(QStringLiteral("scrollerSpeed"));
    m_scrollerSpeed->setEditable(true);
    m_scrollerSpeed->addItems({QStringLiteral("very slow"), QStringLiteral("slow"),
                               QStringLiteral("medium"), QStringLiteral("fast"),
                               QStringLiteral("very fast")});
    m_scrollerSpeed->setEditText(QStringLiteral("middle"));
    form->addRow(QStringLiteral("Scrolling text:"), m_scrollerText);
    form->addRow(QStringLiteral("Speed:"), m_scrollerSpeed);
    layout->addLayout(form);
    layout->addWidget(note(QStringLiteral("The text scrolls through the browser's status bar. "
                                          "Most likely you will have to adjust the position value "
                                          "in the script manually."),
                           page));
    layout->addStretch();
    return page;
}

QWidget *JavaScriptDialog::buildTickerPage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Ticker Text:"), page));
    m_tickerText = new QPlainTextEdit(page);
    m_tickerText->setObjectName(QStringLiteral("tickerText"));
    m_tickerText->setPlaceholderText(QStringLiteral("One ticker message per line"));
    layout->addWidget(m_tickerText, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Width:"), page));
    m_tickerWidth = new QSpinBox(page);
    m_tickerWidth->setObjectName(QStringLiteral("tickerWidth"));
    m_tickerWidth->setRange(1, 999);
    m_tickerWidth->setValue(40);
    m_tickerWidth->setMinimumWidth(70);
    row->addWidget(m_tickerWidth);
    m_tickerAutosize = new QCheckBox(QStringLiteral("Autosize"), page);
    m_tickerAutosize->setObjectName(QStringLiteral("tickerAutosize"));
    m_tickerAutosize->setChecked(true);
    row->addWidget(m_tickerAutosize);
    row->addStretch();
    layout->addLayout(row);
    connect(m_tickerText, &QPlainTextEdit::textChanged, this, &JavaScriptDialog::tickerTextChanged);
    // Choosing a width by hand ends the automatic one.
    m_tickerWidth->installEventFilter(this);
    for (QObject *child : m_tickerWidth->children())
        child->installEventFilter(this);

    auto *preview = new QGroupBox(QStringLiteral("Preview"), page);
    auto *previewRow = new QHBoxLayout(preview);
    m_tickerPreview = previewField(preview);
    m_tickerPreview->setObjectName(QStringLiteral("tickerPreview"));
    m_tickerStop = new QPushButton(QStringLiteral("Stop it"), preview);
    m_tickerStop->setObjectName(QStringLiteral("tickerStop"));
    previewRow->addWidget(m_tickerPreview, 1);
    previewRow->addWidget(m_tickerStop);
    layout->addWidget(preview);
    m_tickerTimer = new QTimer(this);
    m_tickerTimer->setInterval(150);
    connect(m_tickerTimer, &QTimer::timeout, this, &JavaScriptDialog::stepTickerPreview);
    connect(m_tickerStop, &QPushButton::clicked, this,
            [this] { toggleTimer(m_tickerTimer, m_tickerStop); });
    m_tickerTimer->start();
    stepTickerPreview();
    return page;
}

QWidget *JavaScriptDialog::buildMarqueePage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    auto *form = new QFormLayout;
    m_marqueeText = new QLineEdit(page);
    m_marqueeText->setObjectName(QStringLiteral("marqueeText"));
    m_marqueeWidth = new QSpinBox(page);
    m_marqueeWidth->setObjectName(QStringLiteral("marqueeWidth"));
    m_marqueeWidth->setRange(1, 999);
    m_marqueeWidth->setValue(60);
    m_marqueeWidth->setMaximumWidth(90);
    form->addRow(QStringLiteral("Scrolling text:"), m_marqueeText);
    form->addRow(QStringLiteral("Width:"), m_marqueeWidth);
    layout->addLayout(form);

    auto *preview = new QGroupBox(QStringLiteral("Preview"), page);
    auto *previewRow = new QHBoxLayout(preview);
    m_marqueePreview = previewField(preview);
    m_marqueePreview->setObjectName(QStringLiteral("marqueePreview"));
    m_marqueeStop = new QPushButton(QStringLiteral("Stop it"), preview);
    m_marqueeStop->setObjectName(QStringLiteral("marqueeStop"));
    previewRow->addWidget(m_marqueePreview, 1);
    previewRow->addWidget(m_marqueeStop);
    layout->addWidget(preview);
    layout->addStretch();
    m_marqueeTimer = new QTimer(this);
    m_marqueeTimer->setInterval(200);
    connect(m_marqueeTimer, &QTimer::timeout, this, &JavaScriptDialog::stepMarqueePreview);
    connect(m_marqueeStop, &QPushButton::clicked, this,
            [this] { toggleTimer(m_marqueeTimer, m_marqueeStop); });
    m_marqueeTimer->start();
    return page;
}

QWidget *JavaScriptDialog::buildAutoscrollPage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    layout->addWidget(note(QStringLiteral("The page scrolls down by itself, slowly, and starts "
                                          "again from the top after a second.\n\nYou may have to "
                                          "adjust the height value at the top of the script to "
                                          "the height of your page."),
                           page));
    layout->addStretch();
    return page;
}

QWidget *JavaScriptDialog::buildFadePage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    auto *groups = new QHBoxLayout;
    auto *type = new QGroupBox(QStringLiteral("Type"), page);
    auto *typeLayout = new QVBoxLayout(type);
    m_fadeIn = new QRadioButton(QStringLiteral("Fade in"), type);
    m_fadeOut = new QRadioButton(QStringLiteral("Fade out"), type);
    m_fadeBoth = new QRadioButton(QStringLiteral("Both"), type);
    m_fadeIn->setChecked(true);
    for (QRadioButton *b : {m_fadeIn, m_fadeOut, m_fadeBoth})
        typeLayout->addWidget(b);
    auto *from = new QGroupBox(QStringLiteral("Fade in from"), page);
    auto *fromLayout = new QVBoxLayout(from);
    m_fromBlack = new QRadioButton(QStringLiteral("Black"), from);
    m_fromWhite = new QRadioButton(QStringLiteral("White"), from);
    m_fromGray = new QRadioButton(QStringLiteral("Gray"), from);
    m_fromBlack->setChecked(true);
    for (QRadioButton *b : {m_fromBlack, m_fromWhite, m_fromGray})
        fromLayout->addWidget(b);
    groups->addWidget(type);
    groups->addWidget(from);
    layout->addLayout(groups);
    auto *speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QStringLiteral("Speed:"), page));
    m_fadeSpeed = new QSpinBox(page);
    m_fadeSpeed->setObjectName(QStringLiteral("fadeSpeed"));
    m_fadeSpeed->setRange(2, 255);
    m_fadeSpeed->setValue(64);
    speedRow->addWidget(m_fadeSpeed);
    speedRow->addWidget(new QLabel(QStringLiteral("(2 is the fastest)"), page));
    speedRow->addStretch();
    layout->addLayout(speedRow);
    layout->addWidget(note(QStringLiteral("Warning: write the page colour in the BGCOLOR attribute "
                                          "of the BODY tag as an RGB value (for example "
                                          "BGCOLOR=\"#FFFFFF\"), not as a colour name."),
                           page));
    layout->addStretch();
    return page;
}

QWidget *JavaScriptDialog::buildClockPage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    layout->addWidget(note(QStringLiteral("Shows the current time and date in a field of the page, "
                                          "updated every second. Example:"),
                           page));
    auto *example = previewField(page);
    example->setText(clockExample(QDateTime::currentDateTime()));
    example->setMaximumWidth(220);
    layout->addWidget(example);
    layout->addStretch();
    return page;
}

QWidget *JavaScriptDialog::buildDetourPage() {
    auto *page = new QWidget(this);
    auto *layout = pageLayout(page);
    auto *form = new QFormLayout;
    auto *locationRow = new QHBoxLayout;
    m_detourLocation = new QComboBox(page);
    m_detourLocation->setObjectName(QStringLiteral("detourLocation"));
    m_detourLocation->setEditable(true);
    m_detourLocation->addItems({QStringLiteral("http://"), QStringLiteral("ftp://"),
                                QStringLiteral("gopher://"), QStringLiteral("telnet://"),
                                QStringLiteral("news://"), QStringLiteral("wais://")});
    auto *browse = new QToolButton(page);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose a file"));
    locationRow->addWidget(m_detourLocation, 1);
    locationRow->addWidget(browse);
    m_detourTitle = new QLineEdit(QStringLiteral("Detour - This page has moved..."), page);
    m_detourTitle->setObjectName(QStringLiteral("detourTitle"));
    form->addRow(QStringLiteral("New location:"), locationRow);
    form->addRow(QStringLiteral("Page title:"), m_detourTitle);
    layout->addLayout(form);
    layout->addWidget(note(QStringLiteral("Note: Use an absolute path here."), page));
    layout->addWidget(note(QStringLiteral("The current page is turned into one that tells its "
                                          "visitors where the page has gone and takes them there "
                                          "after five seconds."),
                           page));
    layout->addStretch();
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString file = m_prompts.openFileName(QStringLiteral("New location"), QString(),
                                                         QStringLiteral("All files (*)"));
        if (!file.isEmpty())
            m_detourLocation->setEditText(file);
    });
    return page;
}

JavaScriptEffect JavaScriptDialog::currentEffect() const {
    return JavaScriptEffect(m_tabs->currentIndex());
}

void JavaScriptDialog::setCurrentEffect(JavaScriptEffect effect) {
    m_tabs->setCurrentIndex(int(effect));
}

JavaScriptFields JavaScriptDialog::fields() const {
    JavaScriptFields f;
    f.effect = currentEffect();
    switch (f.effect) {
    case JavaScriptEffect::Scroller:
        f.text = m_scrollerText->text();
        f.speed = m_scrollerSpeed->currentText();
        break;
    case JavaScriptEffect::Ticker:
        f.text = m_tickerText->toPlainText();
        f.width = m_tickerWidth->value();
        break;
    case JavaScriptEffect::Marquee:
        f.text = m_marqueeText->text();
        f.width = m_marqueeWidth->value();
        break;
    case JavaScriptEffect::SlideShow:
        f.slides = m_slidePage->slides();
        f.delay = m_slidePage->delay();
        break;
    case JavaScriptEffect::Fade:
        f.fade.type = m_fadeOut->isChecked()    ? FadeType::FadeOut
                      : m_fadeBoth->isChecked() ? FadeType::Both
                                                : FadeType::FadeIn;
        f.fade.from = m_fromWhite->isChecked()  ? FadeWhite
                      : m_fromGray->isChecked() ? FadeGray
                                                : FadeBlack;
        f.fade.speed = m_fadeSpeed->value();
        break;
    case JavaScriptEffect::Detour:
        f.location = m_detourLocation->currentText();
        f.title = m_detourTitle->text();
        break;
    case JavaScriptEffect::Custom:
        f.text = m_customPage->scriptText();
        break;
    case JavaScriptEffect::Autoscroll:
    case JavaScriptEffect::Clock:
        break;
    }
    return f;
}

void JavaScriptDialog::confirm() {
    if (m_inserter(fields()))
        accept();
}

bool JavaScriptDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_tickerWidth || watched->parent() == m_tickerWidth))
        m_tickerAutosize->setChecked(false);
    return QDialog::eventFilter(watched, event);
}

void JavaScriptDialog::tickerTextChanged() {
    if (m_tickerAutosize->isChecked())
        m_tickerWidth->setValue(
            qMax(1, tickerAutoWidth(m_tickerText->toPlainText().split(QLatin1Char('\n')))));
}

void JavaScriptDialog::stepTickerPreview() {
    m_tickerPreview->setText(TickerSample.left(m_tickerStep) + QLatin1Char('_'));
    m_tickerStep = (m_tickerStep + 1) % TickerPreviewSteps;
}

void JavaScriptDialog::stepMarqueePreview() {
    const QString text = m_marqueeText->text().isEmpty() ? QStringLiteral("Your text scrolls here")
                                                         : m_marqueeText->text();
    const int width = qMin(m_marqueeWidth->value(), 80);
    m_marqueePreview->setText(QString(qMax(0, width - m_marqueeStep), QLatin1Char(' ')) + text);
    if (m_marqueeStep++ == width)
        m_marqueeStep = 0;
}

void JavaScriptDialog::setSlideFolder(const QString &folder) { m_slidePage->setFolder(folder); }
