#include "filepanel/filedependenciesdialog.h"

#include "filepanel/linkedfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

FileDependenciesDialog::FileDependenciesDialog(const QString &pageText,
                                               std::function<void()> showHelp, QWidget *parent)
    : QDialog(parent), m_text(pageText), m_help(std::move(showHelp)),
      m_html(new QCheckBox(QStringLiteral("HTML files"))),
      m_images(new QCheckBox(QStringLiteral("Image Files"))),
      m_other(new QCheckBox(QStringLiteral("Other files"))),
      m_localOnly(new QCheckBox(QStringLiteral("Local files only"))), m_list(new QPlainTextEdit) {
    setObjectName(QStringLiteral("fileDependenciesDialog"));
    setWindowTitle(QStringLiteral("File dependencies"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    for (QCheckBox *box : {m_html, m_images, m_other, m_localOnly})
        box->setChecked(true);
    m_html->setObjectName(QStringLiteral("htmlFiles"));
    m_images->setObjectName(QStringLiteral("imageFiles"));
    m_other->setObjectName(QStringLiteral("otherFiles"));
    m_localOnly->setObjectName(QStringLiteral("localOnly"));

    auto *group = new QGroupBox(QStringLiteral("Files to list"));
    auto *boxes = new QHBoxLayout(group);
    boxes->addWidget(m_html);
    boxes->addWidget(m_images);
    boxes->addWidget(m_other);
    boxes->addSpacing(12);
    boxes->addWidget(m_localOnly);
    boxes->addStretch();

    m_list->setObjectName(QStringLiteral("linkedFiles"));
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *buttons = new QDialogButtonBox;
    QPushButton *start = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::ActionRole);
    start->setObjectName(QStringLiteral("start"));
    start->setDefault(true);
    QPushButton *close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    QPushButton *help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    connect(start, &QPushButton::clicked, this, &FileDependenciesDialog::start);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(520, 380);
}

void FileDependenciesDialog::start() {
    LinkedFilesFilter f;
    f.htmlFiles = m_html->isChecked();
    f.imageFiles = m_images->isChecked();
    f.otherFiles = m_other->isChecked();
    f.localOnly = m_localOnly->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->setPlainText(listLinkedFiles(m_text, f).join(QLatin1Char('\n')));
    QApplication::restoreOverrideCursor();
}

QString FileDependenciesDialog::listText() const { return m_list->toPlainText(); }
