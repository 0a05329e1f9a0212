#include "wizards/framewizard.h"

#include "shell/appcontext.h"
#include "widgets/dialogsetup.h"
#include "wizards/colorfields.h"
#include "wizards/fieldchoices.h"
#include "wizards/numberfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

// The frames drawn at their sizes in the 300 x 200 area; a click picks a frame, and so do the
// arrow keys (the next or the previous frame in the order of their numbers).
class FrameBoxes : public QWidget {
    Q_OBJECT
public:
    static constexpr double Scale = 1.2;

    explicit FrameBoxes(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("frameBoxes"));
        setFocusPolicy(Qt::StrongFocus);
        setFixedSize(int(FrameLayout::AreaWidth * Scale) + 1,
                     int(FrameLayout::AreaHeight * Scale) + 1);
    }
    void setFrameLayout(const FrameLayout *layout) {
        m_layout = layout;
        update();
    }
    void setCurrent(int group, int index) {
        m_group = group;
        m_index = index;
        update();
    }
    // The frame at a point, in unscaled units; false outside every frame.
    bool frameAt(const QPoint &p, int *group, int *index) const {
        for (int g = 0; m_layout && g < m_layout->groupCount(); ++g)
            for (int f = 0; f < m_layout->frameCount(g); ++f)
                if (boxOf(g, f).contains(p)) {
                    *group = g;
                    *index = f;
                    return true;
                }
        return false;
    }
    // Where a frame is drawn: rows stack their heights, frames within a row their widths;
    // columns the other way round.
    QRect boxOf(int group, int index) const {
        const bool cols = m_layout->direction() == FrameLayout::Direction::Columns;
        int outer = 0;
        for (int g = 0; g < group; ++g)
            outer += cols ? m_layout->frame(g, 0).width : m_layout->frame(g, 0).height;
        int inner = 0;
        for (int f = 0; f < index; ++f)
            inner += cols ? m_layout->frame(group, f).height : m_layout->frame(group, f).width;
        const FrameRecord &r = m_layout->frame(group, index);
        const int x = cols ? outer : inner;
        const int y = cols ? inner : outer;
        // The last row, column and frame take what is left, as "*" does in the page.
        const bool lastGroup = group + 1 == m_layout->groupCount();
        const bool lastFrame = index + 1 == m_layout->frameCount(group);
        int w = r.width;
        int h = r.height;
        if (cols ? lastGroup : lastFrame)
            w = FrameLayout::AreaWidth - x;
        if (cols ? lastFrame : lastGroup)
            h = FrameLayout::AreaHeight - y;
        return QRect(int(x * Scale), int(y * Scale), qMax(1, int(w * Scale)),
                     qMax(1, int(h * Scale)));
    }

Q_SIGNALS:
    void framePicked(int group, int index);

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        if (!m_layout)
            return;
        for (int g = 0; g < m_layout->groupCount(); ++g)
            for (int f = 0; f < m_layout->frameCount(g); ++f) {
                const QRect box = boxOf(g, f);
                const bool current = g == m_group && f == m_index;
                p.fillRect(box.adjusted(1, 1, 0, 0),
                           current ? palette().highlight() : palette().alternateBase());
                p.setPen(palette().dark().color());
                p.drawRect(box);
                p.setPen(current ? palette().highlightedText().color() : palette().text().color());
                const FrameRecord &r = m_layout->frame(g, f);
                drawName(p, box.adjusted(2, 1, -1, 0),
                         r.name.isEmpty() ? QStringLiteral("FRAME%1").arg(r.number) : r.name);
                if (current && hasFocus()) { // the keys move this frame
                    p.setPen(QPen(palette().highlightedText().color(), 1, Qt::DotLine));
                    p.drawRect(box.adjusted(3, 3, -3, -3));
                }
            }
    }
    // The name in a smaller type where the box is small (nine by nine frames), cut short with
    // "..." only where even the smallest type is too wide.
    void drawName(QPainter &p, const QRect &box, const QString &name) {
        QFont f = font();
        for (int pixels = QFontInfo(f).pixelSize(); pixels >= 7; --pixels) {
            f.setPixelSize(pixels);
            const QFontMetrics m(f);
            // A little room: eliding measures the text a pixel or two wider than its advance.
            if (m.horizontalAdvance(name) + 3 <= box.width() && m.height() <= box.height())
                break;
        }
        p.setFont(f);
        p.drawText(box, Qt::AlignCenter,
                   QFontMetrics(f).elidedText(name, Qt::ElideRight, box.width()));
    }
    void keyPressEvent(QKeyEvent *e) override {
        int step = 0;
        if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Down)
            step = 1;
        else if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Up)
            step = -1;
        if (!m_layout || step == 0 || e->modifiers() != Qt::NoModifier) {
            QWidget::keyPressEvent(e);
            return;
        }
        QList<QPair<int, int>> frames;
        for (int g = 0; g < m_layout->groupCount(); ++g)
            for (int f = 0; f < m_layout->frameCount(g); ++f)
                frames.append({g, f});
        const int at = int(frames.indexOf(qMakePair(m_group, m_index)));
        const int next = at + step;
        if (at >= 0 && next >= 0 && next < frames.size())
            Q_EMIT framePicked(frames[next].first, frames[next].second);
    }
    void focusInEvent(QFocusEvent *e) override {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent *e) override {
        QWidget::focusOutEvent(e);
        update();
    }
    void mousePressEvent(QMouseEvent *e) override {
        int g = 0;
        int f = 0;
        if (e->button() == Qt::LeftButton && frameAt(e->position().toPoint(), &g, &f))
            Q_EMIT framePicked(g, f);
    }

private:
    const FrameLayout *m_layout = nullptr;
    int m_group = 0;
    int m_index = 0;
};

namespace {

QPushButton *addButton(QHBoxLayout *row, QWidget *parent, const QString &text,
                       const QString &name) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    row->addWidget(b);
    return b;
}

QComboBox *list(QWidget *parent, const QString &name, const QStringList &items, bool editable) {
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

} // namespace

FrameWizard::FrameWizard(AppContext &ctx, FrameCounts &counts,
                         std::function<QString(const QString &)> reference, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_counts(counts), m_reference(std::move(reference)),
      m_pages(new QStackedWidget(this)), m_colors(new ColorFields(ctx, this)) {
    setWindowTitle(QStringLiteral("Frame Wizard"));
    DialogSetup::install(this);
    setObjectName(QStringLiteral("frameWizard"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    m_pages->addWidget(buildDirectionPage());
    m_pages->addWidget(buildCountsPage());
    m_pages->addWidget(buildLayoutPage());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showPage(0);
}

void FrameWizard::showPage(int index) {
    // The window takes the size of the page it shows, not of the largest page.
    for (int i = 0; i < m_pages->count(); ++i) {
        const QSizePolicy::Policy p = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_pages->widget(i)->setSizePolicy(p, p);
    }
    m_pages->setCurrentIndex(index);
    // Enter goes on to the next page; on the layout page it only settles a typed size, or
    // presses the button that has the focus.
    const auto buttons = m_pages->widget(index)->findChildren<QPushButton *>();
    for (QPushButton *b : buttons) {
        b->setAutoDefault(index == 2);
        b->setDefault(index < 2 && b->objectName() == QLatin1String("nextButton"));
    }
    adjustSize();
    if (isVisible())
        DialogSetup::focusFirstField(m_pages->widget(index));
}

FrameWizard::~FrameWizard() = default;

int FrameWizard::page() const { return m_pages->currentIndex(); }

bool FrameWizard::columns() const { return !m_rows->isChecked(); }

QWidget *FrameWizard::buildDirectionPage() {
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    m_rows = new QRadioButton(QStringLiteral("Rows"), page);
    m_rows->setObjectName(QStringLiteral("rowsChoice"));
    m_rows->setChecked(true);
    auto *cols = new QRadioButton(QStringLiteral("Columns"), page);
    cols->setObjectName(QStringLiteral("columnsChoice"));
    m_groupCount = new NumberField(2, FrameLayout::MaxGroups, false, page);
    m_groupCount->setObjectName(QStringLiteral("groupCount"));
    auto *choice = new QGridLayout;
    choice->addWidget(m_rows, 0, 0);
    choice->addWidget(cols, 1, 0);
    choice->addWidget(m_groupCount, 0, 1, 2, 1, Qt::AlignVCenter);
    choice->setColumnStretch(2, 1);
    layout->addLayout(choice);
    layout->addStretch(1);
    page->setMinimumWidth(300);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *nextButton = addButton(buttons, page, QStringLiteral("Next >"),
                                        QStringLiteral("nextButton"));
    QPushButton *cancel = addButton(buttons, page, QStringLiteral("Cancel"),
                                    QStringLiteral("cancelButton"));
    layout->addLayout(buttons);
    connect(nextButton, &QPushButton::clicked, this, &FrameWizard::next);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

QWidget *FrameWizard::buildCountsPage() {
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    auto *question = new QHBoxLayout;
    m_which = new QLabel(page);
    m_group1 = new NumberField(1, FrameLayout::MaxGroups, false, page);
    m_group1->setObjectName(QStringLiteral("whichGroup"));
    m_frameCount = new NumberField(1, FrameLayout::MaxFrames, false, page);
    m_frameCount->setObjectName(QStringLiteral("frameCount"));
    question->addWidget(m_which);
    question->addWidget(m_group1);
    question->addWidget(new QLabel(QStringLiteral("?"), page));
    question->addWidget(m_frameCount);
    question->addStretch(1);
    layout->addLayout(question);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *backButton = addButton(buttons, page, QStringLiteral("< Back"),
                                        QStringLiteral("backButton"));
    QPushButton *nextButton = addButton(buttons, page, QStringLiteral("Next >"),
                                        QStringLiteral("nextButton"));
    layout->addLayout(buttons);
    connect(backButton, &QPushButton::clicked, this, &FrameWizard::back);
    connect(nextButton, &QPushButton::clicked, this, &FrameWizard::next);
    connect(m_group1, &QSpinBox::valueChanged, this, [this](int g) { showCountFor(g - 1); });
    connect(m_frameCount, &QSpinBox::valueChanged, this, [this](int n) {
        if (!m_loading)
            m_counts[m_group1->value() - 1] = n;
    });
    return page;
}

QWidget *FrameWizard::buildLayoutPage() {
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    m_boxes = new FrameBoxes(page);
    layout->addWidget(m_boxes, 0, Qt::AlignHCenter);
    m_current = new QLabel(page);
    m_current->setObjectName(QStringLiteral("currentFrame"));
    layout->addWidget(m_current);

    auto *tabs = new QTabWidget(page);
    tabs->addTab(buildCellTab(tabs), QStringLiteral("Cell attributes"));
    tabs->addTab(buildFramesetTab(tabs), QStringLiteral("Frameset attributes"));
    layout->addWidget(tabs);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *backButton = addButton(buttons, page, QStringLiteral("< Back"),
                                        QStringLiteral("backButton"));
    QPushButton *ok = addButton(buttons, page, QStringLiteral("Ok"), QStringLiteral("okButton"));
    QPushButton *cancel = addButton(buttons, page, QStringLiteral("Cancel"),
                                    QStringLiteral("cancelButton"));
    QPushButton *help = addButton(buttons, page, QStringLiteral("Help"),
                                  QStringLiteral("helpButton"));
    layout->addLayout(buttons);
    connect(backButton, &QPushButton::clicked, this, &FrameWizard::back);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { Q_EMIT helpRequested(QStringLiteral("framewizard")); });

    connect(m_boxes, &FrameBoxes::framePicked, this, &FrameWizard::selectFrame);
    connect(m_colors, &ColorFields::changed, this, &FrameWizard::storeFrame);
    return page;
}

// The attributes of the frame chosen in the picture; each change is stored at once.
QWidget *FrameWizard::buildCellTab(QTabWidget *tabs) {
    auto *cell = new QWidget(tabs);
    auto *cellGrid = new QGridLayout(cell);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    m_width = new NumberField(1, 100, false, cell);
    m_width->setObjectName(QStringLiteral("widthPercent"));
    m_height = new NumberField(1, 100, false, cell);
    m_height->setObjectName(QStringLiteral("heightPercent"));
    for (NumberField *f : {m_width, m_height})
        f->setKeyboardTracking(false); // a typed percentage counts once it is complete
    m_marginWidth = new NumberField(0, 9999, false, cell);
    m_marginWidth->setObjectName(QStringLiteral("marginWidth"));
    m_marginHeight = new NumberField(0, 9999, false, cell);
    m_marginHeight->setObjectName(QStringLiteral("marginHeight"));
    m_noResize = new QCheckBox(cell);
    m_noResize->setObjectName(QStringLiteral("noResize"));
    m_scrolling = list(cell, QStringLiteral("scrolling"), frameScrollingItems(), false);
    QStringList links;
    for (const QString &l : m_ctx.settings.previousLinks)
        if (!l.isEmpty() && l != MarkerEmpty)
            links << l;
    m_url = list(cell, QStringLiteral("url"), links, true);
    m_url->setMinimumContentsLength(22);
    m_name = list(cell, QStringLiteral("frameName"), frameNameItems() << QString(), true);
    m_frameborder = list(cell, QStringLiteral("frameFrameborder"),
                         QStringList{QString()} + frameBorderItems(), false);
    m_framespacing = new QLineEdit(cell);
    m_framespacing->setObjectName(QStringLiteral("framespacing"));
    left->addRow(QStringLiteral("Width [%]:"), m_width);
    left->addRow(QStringLiteral("Height [%]:"), m_height);
    left->addRow(QStringLiteral("Marginwidth:"), m_marginWidth);
    left->addRow(QStringLiteral("Marginheight:"), m_marginHeight);
    left->addRow(QStringLiteral("NoResize:"), m_noResize);
    left->addRow(QStringLiteral("Scrolling:"), m_scrolling);
    right->addRow(QStringLiteral("URL:"), m_url);
    right->addRow(QStringLiteral("Name:"), m_name);
    right->addRow(QStringLiteral("Frameborder:"), m_frameborder);
    right->addRow(QStringLiteral("Framespacing:"), m_framespacing);
    right->addRow(QStringLiteral("Bordercolor:"), m_colors->add(QStringLiteral("frameBordercolor")));
    cellGrid->addLayout(left, 0, 0);
    cellGrid->addLayout(right, 0, 1);
    cellGrid->setColumnStretch(1, 1);
    connect(m_width, &QSpinBox::valueChanged, this, &FrameWizard::applyWidth);
    connect(m_height, &QSpinBox::valueChanged, this, &FrameWizard::applyHeight);
    for (NumberField *f : {m_marginWidth, m_marginHeight})
        connect(f, &QSpinBox::valueChanged, this, &FrameWizard::storeFrame);
    connect(m_noResize, &QCheckBox::toggled, this, &FrameWizard::storeFrame);
    for (QComboBox *b : {m_scrolling, m_frameborder})
        connect(b, &QComboBox::currentIndexChanged, this, &FrameWizard::storeFrame);
    for (QComboBox *b : {m_url, m_name})
        connect(b, &QComboBox::currentTextChanged, this, &FrameWizard::storeFrame);
    connect(m_framespacing, &QLineEdit::textChanged, this, &FrameWizard::storeFrame);
    return cell;
}

QWidget *FrameWizard::buildFramesetTab(QTabWidget *tabs) {
    auto *set = new QWidget(tabs);
    auto *setLayout = new QVBoxLayout(set);
    auto *setForm = new QFormLayout;
    m_border = new QLineEdit(set);
    m_border->setObjectName(QStringLiteral("border"));
    m_setFrameborder = list(set, QStringLiteral("framesetFrameborder"),
                            QStringList{QString()} + framesetBorderItems(), false);
    setForm->addRow(QStringLiteral("Border:"), m_border);
    setForm->addRow(QStringLiteral("Bordercolor:"),
                    m_colors->add(QStringLiteral("framesetBordercolor")));
    setForm->addRow(QStringLiteral("Frameborder:"), m_setFrameborder);
    setLayout->addLayout(setForm);
    auto *note = new QLabel(
        QStringLiteral("These attributes to the <FRAMESET> tag are Netscape Navigator specific."),
        set);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    setLayout->addWidget(note);
    setLayout->addStretch(1);
    return set;
}

void FrameWizard::next() {
    if (page() == 0) {
        m_which->setText(QStringLiteral("How many frames in ") +
                         (columns() ? QStringLiteral("column") : QStringLiteral("row")));
        m_group1->setMaximum(m_groupCount->value());
        showCountFor(m_group1->value() - 1);
        showPage(1);
    } else if (page() == 1) {
        startLayout();
        showPage(2);
    }
}

void FrameWizard::back() {
    if (page() > 0)
        showPage(page() - 1);
}

void FrameWizard::showCountFor(int group) {
    m_loading = true;
    m_frameCount->setValue(m_counts[qBound(0, group, FrameLayout::MaxGroups - 1)]);
    m_loading = false;
}

void FrameWizard::startLayout() {
    QList<int> counts;
    for (int g = 0; g < m_groupCount->value(); ++g)
        counts << m_counts[g];
    m_layout = std::make_unique<FrameLayout>(
        columns() ? FrameLayout::Direction::Columns : FrameLayout::Direction::Rows, counts);
    m_boxes->setFrameLayout(m_layout.get());
    m_border->clear();
    m_setFrameborder->setCurrentIndex(0);
    m_loading = true;
    m_colors->setText(1, QString());
    m_loading = false;
    selectFrame(0, 0);
}

void FrameWizard::selectFrame(int group, int index) {
    m_group = group;
    m_index = index;
    m_boxes->setCurrent(group, index);
    showFrame();
}

void FrameWizard::showFrame() {
    const FrameRecord &r = m_layout->frame(m_group, m_index);
    m_loading = true;
    m_current->setText(QStringLiteral("Current frame: %1").arg(r.number));
    m_width->setValue(FrameLayout::widthPercent(r.width));
    m_height->setValue(FrameLayout::heightPercent(r.height));
    m_marginWidth->setNumber(r.marginWidth);
    m_marginHeight->setNumber(r.marginHeight);
    m_noResize->setChecked(r.noResize);
    m_scrolling->setCurrentText(r.scrolling);
    m_url->setCurrentText(r.url);
    m_name->setCurrentText(r.name);
    m_frameborder->setCurrentText(r.frameborder);
    m_framespacing->setText(r.framespacing);
    m_colors->setText(0, r.bordercolor);
    m_loading = false;
}

void FrameWizard::storeFrame() {
    if (m_loading || !m_layout)
        return;
    FrameRecord &r = m_layout->frame(m_group, m_index);
    r.marginWidth = m_marginWidth->number();
    r.marginHeight = m_marginHeight->number();
    r.noResize = m_noResize->isChecked();
    r.scrolling = m_scrolling->currentText();
    r.url = m_url->currentText();
    r.name = m_name->currentText();
    r.frameborder = m_frameborder->currentText();
    r.framespacing = m_framespacing->text();
    r.bordercolor = m_colors->text(0);
    m_boxes->update();
}

void FrameWizard::applyWidth() {
    if (m_loading || !m_layout)
        return;
    m_layout->setWidthPercent(m_group, m_index, m_width->value());
    showFrame(); // a refused size goes back to the current percentage
    m_boxes->update();
}

void FrameWizard::applyHeight() {
    if (m_loading || !m_layout)
        return;
    m_layout->setHeightPercent(m_group, m_index, m_height->value());
    showFrame();
    m_boxes->update();
}

QStringList FrameWizard::block() const {
    FrameLayout l = *m_layout;
    l.frameset.border = m_border->text();
    l.frameset.bordercolor = m_colors->text(1);
    l.frameset.frameborder = m_setFrameborder->currentText();
    return buildFramesetBlock(l, m_reference);
}

#include "framewizard.moc"
