#include "wizards/embeddialog.h"

#include "wizards/numberfield.h"

#include "shell/filepaths.h"
#include "shell/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

using namespace DialogParts;

namespace {
// "*.png;*.mid;" as a file-dialog filter.
QString multimediaFilter(const QString &mask) {
    QStringList patterns = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &p : patterns)
        p = p.trimmed();
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return QStringLiteral("All multimedia files (%1)").arg(patterns.join(QLatin1Char(' ')));
}
} // namespace

EmbedDialog::EmbedDialog(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("embedDialog"));
    setWindowTitle(QStringLiteral("Embed multimedia document"));
    m_source = lineEdit(this, QStringLiteral("source"));
    m_source->setMinimumWidth(m_source->fontMetrics().averageCharWidth() * 36);
    QToolButton *browse = browseButton(this, QStringLiteral("browseSource"));
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
    tickOnChange(m_width, m_useSize);
    tickOnChange(m_height, m_useSize);
    tickOnEdit(m_align, m_useAlign);
    tickOnEdit(m_border, m_useBorder);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    auto *sourceLabel = new QLabel(QStringLiteral("Multimedia source:"), this);
    sourceLabel->setBuddy(m_source);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(browse);
    grid->addWidget(sourceLabel, 0, 0, 1, 4);
    grid->addLayout(sourceRow, 1, 0, 1, 4);
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
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addWidget(okCancelButtons(this));

    connect(browse, &QToolButton::clicked, this, [this] {
        if (!m_env.prompts)
            return;
        const QString chosen = m_env.prompts->openFileName(
            windowTitle(), m_env.handOverFileName.isEmpty() ? m_env.documentFolder()
                                                            : m_env.handOverFileName,
            multimediaFilter(m_env.multimediaMask));
        if (!chosen.isEmpty())
            m_source->setText(chosen);
    });
}

void EmbedDialog::reset(const TagDialogEnvironment &env) {
    m_env = env;
    m_other.clear();
    if (!env.handOverFileName.isEmpty() && isMultimediaFile(env.handOverFileName, env.multimediaMask))
        m_source->setText(env.handOverFileName);
    m_useSize->setChecked(false);
    setQuietly(m_width, QStringLiteral("0"));
    setQuietly(m_height, QStringLiteral("0"));
    write(m_useAlign, m_align, {});
    write(m_useBorder, m_border, {false, QStringLiteral("0")});
    m_source->setFocus();
}

void EmbedDialog::setFields(const EmbedFields &f) {
    m_source->setText(f.source);
    setQuietly(m_width, f.width);
    setQuietly(m_height, f.height);
    m_useSize->setChecked(f.useSize);
    write(m_useAlign, m_align, f.align);
    write(m_useBorder, m_border, f.border);
    m_other = f.other;
}

EmbedFields EmbedDialog::fields() const {
    EmbedFields f;
    f.source = m_source->text();
    f.useSize = m_useSize->isChecked();
    f.width = m_width->number();
    f.height = m_height->number();
    f.align = read(m_useAlign, m_align);
    f.border = read(m_useBorder, m_border);
    f.other = m_other;
    return f;
}
