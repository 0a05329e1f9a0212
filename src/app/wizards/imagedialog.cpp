#include "wizards/imagedialog.h"

#include "wizards/numberfield.h"

#include "shell/filepaths.h"
#include "shell/picturefile.h"
#include "shell/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

using namespace DialogParts;

namespace {
const QString ImageFilter = QStringLiteral(
    "All image files (*.gif *.jpeg *.jpg);;gifs (*.gif);;jpeg files (*.jpg *.jpeg)");
constexpr int PreviewSize = 200;
} // namespace

ImageDialog::ImageDialog(QWidget *parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("imageDialog"));
    setWindowTitle(QStringLiteral("Image Selection"));
    createFields();

    m_previewButton = new QPushButton(QStringLiteral("Preview ->"), this);
    m_previewButton->setObjectName(QStringLiteral("previewButton"));
    m_previewButton->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_previewButton);
    bottom->addStretch(1);
    bottom->addWidget(okCancelButtons(this));

    auto *fields = new QVBoxLayout;
    fields->addLayout(fieldGrid());
    fields->addStretch(1);
    fields->addLayout(bottom);

    createPreviewPanel();
    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addWidget(m_previewPanel);

    connect(m_source, &QComboBox::editTextChanged, this, [this] { sourceChanged(false); });
    connect(m_browseSource, &QToolButton::clicked, this, [this] { browse(m_source); });
    connect(m_browseLowSource, &QToolButton::clicked, this, [this] {
        browse(m_lowSource);
        if (!m_lowSource->currentText().isEmpty())
            m_useLowSource->setChecked(true);
    });
    connect(m_previewButton, &QPushButton::clicked, this,
            [this] { setPreviewShown(!previewShown()); });
}

void ImageDialog::createFields() {
    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("imageSource"));
    m_source->setEditable(true);
    m_source->setInsertPolicy(QComboBox::NoInsert);
    m_source->setMinimumContentsLength(34);
    m_source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_browseSource = browseButton(this, QStringLiteral("browseSource"));

    m_useAlt = checkBox(QStringLiteral("Alt. Text:"), this, QStringLiteral("useAlt"));
    m_alt = lineEdit(this, QStringLiteral("alt"));
    m_useSize = checkBox(QStringLiteral("Width:"), this, QStringLiteral("useSize"));
    m_width = sizeBox(this, QStringLiteral("width"));
    m_height = sizeBox(this, QStringLiteral("height"));
    m_useAlign = checkBox(QStringLiteral("Alignment:"), this, QStringLiteral("useAlign"));
    m_align = new QComboBox(this);
    m_align->setObjectName(QStringLiteral("align"));
    m_align->setEditable(true);
    m_align->addItems(alignmentItems());
    m_useBorder = checkBox(QStringLiteral("Border:"), this, QStringLiteral("useBorder"));
    m_border = lineEdit(this, QStringLiteral("border"));
    m_useUseMap = checkBox(QStringLiteral("USEMAP:"), this, QStringLiteral("useUseMap"));
    m_useMap = lineEdit(this, QStringLiteral("useMap"));
    m_isMap = checkBox(QStringLiteral("ISMAP"), this, QStringLiteral("isMap"));
    m_useVSpace = checkBox(QStringLiteral("VSpace:"), this, QStringLiteral("useVSpace"));
    m_vspace = lineEdit(this, QStringLiteral("vspace"));
    m_useHSpace = checkBox(QStringLiteral("HSpace:"), this, QStringLiteral("useHSpace"));
    m_hspace = lineEdit(this, QStringLiteral("hspace"));
    m_useLowSource = checkBox(QStringLiteral("Low resolution image source:"), this,
                              QStringLiteral("useLowSource"));
    m_lowSource = new QComboBox(this);
    m_lowSource->setObjectName(QStringLiteral("lowSource"));
    m_lowSource->setEditable(true);
    m_lowSource->setInsertPolicy(QComboBox::NoInsert);
    m_lowSource->setMinimumContentsLength(34);
    m_lowSource->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_browseLowSource = browseButton(this, QStringLiteral("browseLowSource"));

    tickOnEdit(m_alt, m_useAlt);
    tickOnChange(m_width, m_useSize);
    tickOnChange(m_height, m_useSize);
    tickOnEdit(m_align, m_useAlign);
    tickOnEdit(m_border, m_useBorder);
    tickOnEdit(m_useMap, m_useUseMap);
    tickOnEdit(m_vspace, m_useVSpace);
    tickOnEdit(m_hspace, m_useHSpace);
    tickOnEdit(m_lowSource, m_useLowSource);
}

// Labels and check boxes on the left, the size and the pairs of numbers side by side.
QGridLayout *ImageDialog::fieldGrid() {
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    auto *sourceLabel = new QLabel(QStringLiteral("Image source:"), this);
    sourceLabel->setBuddy(m_source);
    grid->addWidget(sourceLabel, 0, 0);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(m_browseSource);
    grid->addLayout(sourceRow, 0, 1, 1, 3);
    grid->addWidget(m_useAlt, 1, 0);
    grid->addWidget(m_alt, 1, 1, 1, 3);
    grid->addWidget(m_useSize, 2, 0);
    grid->addWidget(m_width, 2, 1);
    auto *heightLabel = new QLabel(QStringLiteral("Height:"), this);
    heightLabel->setBuddy(m_height);
    grid->addWidget(heightLabel, 2, 2);
    grid->addWidget(m_height, 2, 3);
    grid->addWidget(m_useAlign, 3, 0);
    grid->addWidget(m_align, 3, 1);
    grid->addWidget(m_useBorder, 3, 2);
    grid->addWidget(m_border, 3, 3);
    grid->addWidget(m_useVSpace, 4, 0);
    grid->addWidget(m_vspace, 4, 1);
    grid->addWidget(m_useHSpace, 4, 2);
    grid->addWidget(m_hspace, 4, 3);
    grid->addWidget(m_useUseMap, 5, 0);
    grid->addWidget(m_useMap, 5, 1);
    grid->addWidget(m_isMap, 5, 2, 1, 2);
    grid->addWidget(m_useLowSource, 6, 0, 1, 4);
    auto *lowRow = new QHBoxLayout;
    lowRow->addWidget(m_lowSource, 1);
    lowRow->addWidget(m_browseLowSource);
    grid->addLayout(lowRow, 7, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

void ImageDialog::createPreviewPanel() {
    m_previewPanel = new QWidget(this);
    m_previewPanel->setObjectName(QStringLiteral("previewPanel"));
    auto *previewLayout = new QVBoxLayout(m_previewPanel);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewName = lineEdit(m_previewPanel, QStringLiteral("previewName"));
    m_previewName->setReadOnly(true);
    m_preview = new QLabel(m_previewPanel);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(PreviewSize, PreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    previewLayout->addWidget(m_previewName);
    previewLayout->addWidget(m_preview);
    previewLayout->addStretch(1);
    m_previewPanel->setFixedWidth(PreviewSize + 2);
    m_previewPanel->hide();
}

void ImageDialog::reset(const TagDialogEnvironment &env) {
    m_env = env;
    m_other.clear();
    for (QComboBox *box : {m_source, m_lowSource}) {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(env.recentImages);
        box->setCurrentText(QString());
    }
    write(m_useAlt, m_alt, {});
    write(m_useAlign, m_align, {});
    write(m_useBorder, m_border, {false, QStringLiteral("0")});
    write(m_useUseMap, m_useMap, {});
    write(m_useVSpace, m_vspace, {});
    write(m_useHSpace, m_hspace, {});
    write(m_useLowSource, m_lowSource, {});
    m_isMap->setChecked(false);
    setQuietly(m_width, QStringLiteral("0"));
    setQuietly(m_height, QStringLiteral("0"));
    m_useSize->setChecked(env.sizeFromImage);
    m_preview->clear();
    m_previewName->clear();
    {
        const QSignalBlocker blocker(m_source);
        m_source->setCurrentText(env.handOverFileName);
    }
    sourceChanged(false);
}

void ImageDialog::setFields(const ImageFields &f) {
    {
        const QSignalBlocker blocker(m_source);
        m_source->setCurrentText(f.source);
    }
    setQuietly(m_width, f.width);
    setQuietly(m_height, f.height);
    m_useSize->setChecked(f.useSize);
    write(m_useAlt, m_alt, f.alt);
    write(m_useAlign, m_align, f.align);
    write(m_useBorder, m_border, f.border);
    write(m_useUseMap, m_useMap, f.useMap);
    write(m_useVSpace, m_vspace, f.vspace);
    write(m_useHSpace, m_hspace, f.hspace);
    write(m_useLowSource, m_lowSource, f.lowSource);
    m_isMap->setChecked(f.isMap);
    m_other = f.other;
    sourceChanged(true);
}

ImageFields ImageDialog::fields() const {
    ImageFields f;
    f.source = m_source->currentText();
    f.lowSource = read(m_useLowSource, m_lowSource);
    f.useSize = m_useSize->isChecked();
    f.width = m_width->number();
    f.height = m_height->number();
    f.alt = read(m_useAlt, m_alt);
    f.align = read(m_useAlign, m_align);
    f.border = read(m_useBorder, m_border);
    f.vspace = read(m_useVSpace, m_vspace);
    f.hspace = read(m_useHSpace, m_hspace);
    f.useMap = read(m_useUseMap, m_useMap);
    f.isMap = m_isMap->isChecked();
    f.other = m_other;
    return f;
}

bool ImageDialog::previewShown() const { return m_previewPanel->isVisibleTo(this); }

void ImageDialog::setPreviewShown(bool shown) {
    m_previewPanel->setVisible(shown);
    m_previewButton->setText(shown ? QStringLiteral("No Preview <-")
                                   : QStringLiteral("Preview ->"));
}

void ImageDialog::sourceChanged(bool keepSize) {
    const QString name = m_source->currentText().trimmed();
    QString path = name;
    const QString folder = m_env.documentFolder();
    if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !folder.isEmpty())
        path = folder + QLatin1Char('/') + name;
    // The name keeps its letter case: file names are case-sensitive here.
    if (!name.isEmpty() && isImageFile(name) && QFileInfo(path).isFile()) {
        const QSize size = pictureFileSize(path); // from the header, without decoding
        if (!keepSize && size.isValid()) {
            setQuietly(m_width, QString::number(size.width()));
            setQuietly(m_height, QString::number(size.height()));
        }
        m_previewName->setText(name);
        const QPixmap pixmap = QPixmap::fromImage(readPictureFile(path, nullptr));
        m_preview->setPixmap(pixmap.isNull() || (pixmap.width() <= PreviewSize &&
                                                 pixmap.height() <= PreviewSize)
                                 ? pixmap
                                 : pixmap.scaled(PreviewSize - 4, PreviewSize - 4,
                                                 Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    if (!keepSize)
        m_useSize->setChecked(m_env.sizeFromImage);
}

void ImageDialog::browse(QComboBox *target) {
    if (!m_env.prompts)
        return;
    QString start = m_env.handOverFileName;
    if (start.isEmpty())
        start = m_env.documentFolder();
    const QString chosen = m_env.prompts->openFileName(windowTitle(), start, ImageFilter);
    if (!chosen.isEmpty())
        target->setCurrentText(chosen);
}
