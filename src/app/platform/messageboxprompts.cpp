#include "platform/messageboxprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(Prompts::Kind kind) {
    switch (kind) {
    case Prompts::Kind::Information:
        return QMessageBox::Information;
    case Prompts::Kind::Warning:
        return QMessageBox::Warning;
    case Prompts::Kind::Error:
        return QMessageBox::Critical;
    case Prompts::Kind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString titleFor(Prompts::Kind kind) {
    switch (kind) {
    case Prompts::Kind::Warning:
        return QStringLiteral("Warning");
    case Prompts::Kind::Error:
        return QStringLiteral("Error");
    case Prompts::Kind::Confirmation:
        return QStringLiteral("Confirm");
    case Prompts::Kind::Information:
        break;
    }
    return QStringLiteral("Information");
}

Prompts::Answer runBox(QWidget *parent, Prompts::Kind kind, const QString &text,
                       QMessageBox::StandardButtons buttons,
                       QMessageBox::StandardButton defaultButton) {
    QMessageBox box(iconFor(kind), titleFor(kind), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Prompts::Answer::Yes;
    case QMessageBox::No:
        return Prompts::Answer::No;
    case QMessageBox::Ok:
        return Prompts::Answer::Ok;
    default:
        return Prompts::Answer::Cancel;
    }
}

} // namespace

QWidget *MessageBoxPrompts::parent() const {
    if (m_parent)
        return m_parent;
    return QApplication::activeWindow();
}

void MessageBoxPrompts::message(Kind kind, const QString &text) {
    runBox(parent(), kind, text, QMessageBox::Ok, QMessageBox::Ok);
}

Prompts::Answer MessageBoxPrompts::askYesNo(Kind kind, const QString &text) {
    // A warning asks before something that cannot be undone: Enter gives the safe answer.
    const auto defaultButton = kind == Kind::Warning ? QMessageBox::No : QMessageBox::Yes;
    Answer a = runBox(parent(), kind, text, QMessageBox::Yes | QMessageBox::No, defaultButton);
    return a == Answer::Yes ? Answer::Yes : Answer::No;
}

Prompts::Answer MessageBoxPrompts::askYesNoCancel(Kind kind, const QString &text) {
    return runBox(parent(), kind, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  QMessageBox::Yes);
}

QString MessageBoxPrompts::openFileName(const QString &caption, const QString &dir,
                                        const QString &filter) {
    return QFileDialog::getOpenFileName(parent(), caption, dir, filter);
}

QStringList MessageBoxPrompts::openFileNames(const QString &caption, const QString &dir,
                                             const QString &filter) {
    return QFileDialog::getOpenFileNames(parent(), caption, dir, filter);
}

QString MessageBoxPrompts::saveFileName(const QString &caption, const QString &dir,
                                        const QString &filter, const QString &defaultSuffix) {
    // QFileDialog asks before overwriting an existing file; with the default suffix it asks
    // about the name that will really be written.
    QFileDialog dialog(parent(), caption, dir, filter);
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString MessageBoxPrompts::pickFolder(const QString &caption, const QString &dir) {
    return QFileDialog::getExistingDirectory(parent(), caption, dir);
}

std::optional<QColor> MessageBoxPrompts::pickColor(const QColor &initial) {
    QColor c = QColorDialog::getColor(initial, parent());
    if (!c.isValid())
        return std::nullopt;
    return c;
}
