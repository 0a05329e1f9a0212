#include "wizards/linkdialog.h"

#include "shell/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace DialogParts;

namespace {
const QStringList Protocols = {QStringLiteral("http://"),   QStringLiteral("ftp://"),
                               QStringLiteral("gopher://"), QStringLiteral("telnet://"),
                               QStringLiteral("news://"),   QStringLiteral("wais://")};
}

LinkDialog::LinkDialog(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("linkDialog"));
    setWindowTitle(QStringLiteral("Link Selection"));

    m_link = new QComboBox(this);
    m_link->setObjectName(QStringLiteral("link"));
    m_link->setEditable(true);
    m_link->setInsertPolicy(QComboBox::NoInsert);
    m_link->setMinimumContentsLength(36);
    m_link->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QToolButton *browse = browseButton(this, QStringLiteral("browseLink"));
    m_description = lineEdit(this, QStringLiteral("description"));
    m_useTarget = checkBox(QStringLiteral("Target:"), this, QStringLiteral("useTarget"));
    m_target = lineEdit(this, QStringLiteral("target"));
    m_useMethods = checkBox(QStringLiteral("Methods:"), this, QStringLiteral("useMethods"));
    m_methods = lineEdit(this, QStringLiteral("methods"));
    m_useRev = checkBox(QStringLiteral("Rev:"), this, QStringLiteral("useRev"));
    m_rev = lineEdit(this, QStringLiteral("rev"));
    m_useRel = checkBox(QStringLiteral("Rel:"), this, QStringLiteral("useRel"));
    m_rel = lineEdit(this, QStringLiteral("rel"));
    tickOnEdit(m_target, m_useTarget);
    tickOnEdit(m_methods, m_useMethods);
    tickOnEdit(m_rev, m_useRev);
    tickOnEdit(m_rel, m_useRel);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    auto *linkLabel = new QLabel(QStringLiteral("Link:"), this);
    linkLabel->setBuddy(m_link);
    auto *linkRow = new QHBoxLayout;
    linkRow->addWidget(m_link, 1);
    linkRow->addWidget(browse);
    grid->addWidget(linkLabel, 0, 0);
    grid->addLayout(linkRow, 0, 1, 1, 3);
    auto *descriptionLabel = new QLabel(QStringLiteral("Description:"), this);
    descriptionLabel->setBuddy(m_description);
    grid->addWidget(descriptionLabel, 1, 0);
    grid->addWidget(m_description, 1, 1, 1, 3);
    grid->addWidget(m_useTarget, 2, 0);
    grid->addWidget(m_target, 2, 1);
    grid->addWidget(m_useMethods, 2, 2);
    grid->addWidget(m_methods, 2, 3);
    grid->addWidget(m_useRev, 3, 0);
    grid->addWidget(m_rev, 3, 1);
    grid->addWidget(m_useRel, 3, 2);
    grid->addWidget(m_rel, 3, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addWidget(okCancelButtons(this));

    // A chosen file is converted at once, so the field shows what the page will hold.
    connect(browse, &QToolButton::clicked, this, [this] {
        if (!m_env.prompts)
            return;
        const QString chosen = m_env.prompts->openFileName(
            windowTitle(), m_env.handOverFileName.isEmpty() ? m_env.documentFolder()
                                                            : m_env.handOverFileName,
            QStringLiteral("All Files (*)"));
        if (!chosen.isEmpty())
            m_link->setCurrentText(m_env.reference(chosen));
    });
}

void LinkDialog::reset(const TagDialogEnvironment &env, const QString &selectedText) {
    m_env = env;
    m_other.clear();
    m_link->clear();
    m_link->addItems(Protocols);
    m_link->addItems(env.recentLinks);
    m_link->setCurrentText(env.handOverFileName);
    m_description->setText(selectedText);
    write(m_useTarget, m_target, {});
    write(m_useMethods, m_methods, {});
    write(m_useRev, m_rev, {});
    write(m_useRel, m_rel, {});
    m_link->setFocus();
}

void LinkDialog::setFields(const LinkFields &f) {
    m_link->setCurrentText(f.link);
    m_description->setText(f.description);
    write(m_useTarget, m_target, f.target);
    write(m_useMethods, m_methods, f.methods);
    write(m_useRev, m_rev, f.rev);
    write(m_useRel, m_rel, f.rel);
    m_other = f.other;
}

LinkFields LinkDialog::fields() const {
    LinkFields f;
    f.link = m_link->currentText();
    f.description = m_description->text();
    f.target = read(m_useTarget, m_target);
    f.methods = read(m_useMethods, m_methods);
    f.rev = read(m_useRev, m_rev);
    f.rel = read(m_useRel, m_rel);
    f.other = m_other;
    return f;
}
