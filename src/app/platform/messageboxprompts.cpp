#include "platform/messageboxprompts.h"

#include "widgets/windowstacking.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
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

// A short message makes a narrow box, whose caption the window manager then cuts short; the
// box's layout takes a spacer as wide as the caption in a bold title font beside the title
// bar's buttons.
void leaveRoomForCaption(QMessageBox &box) {
    QFont bold = box.font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 4 * 24 + 40;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

Prompts::Answer runBox(QWidget *parent, Prompts::Kind kind, const QString &text,
                       QMessageBox::StandardButtons buttons,
                       QMessageBox::StandardButton defaultButton) {
    QMessageBox box(iconFor(kind), titleFor(kind), text, buttons, parent);
    // Messages quote page text such as "<TITLE>": shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    leaveRoomForCaption(box);
    keepAboveOwner(&box);
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

QString runFileDialog(QFileDialog &dialog) {
    keepAboveOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QWidget *MessageBoxPrompts::parent() const {
    return userWindow(m_parent);
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
    QFileDialog dialog(parent(), caption, dir, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

QStringList MessageBoxPrompts::openFileNames(const QString &caption, const QString &dir,
                                             const QString &filter) {
    QFileDialog dialog(parent(), caption, dir, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    keepAboveOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return dialog.selectedFiles();
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
    return runFileDialog(dialog);
}

QString MessageBoxPrompts::pickFolder(const QString &caption, const QString &dir) {
    QFileDialog dialog(parent(), caption, dir);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return runFileDialog(dialog);
}

std::optional<QColor> MessageBoxPrompts::pickColor(const QColor &initial) {
    QColorDialog dialog(initial, parent());
    dialog.setObjectName(QStringLiteral("colorDialog"));
    keepAboveOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}
