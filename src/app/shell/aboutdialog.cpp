#include "shell/aboutdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Marlo"));
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/marlo.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto *text = new QLabel(this);
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral("<h2>Marlo %1</h2>"
                                 "<p>An editor for hand-written HTML pages.</p>"
                                 "<p>Built with Qt %2.</p>")
                      .arg(QStringLiteral(MARLO_VERSION), QString::fromLatin1(qVersion())));
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}
