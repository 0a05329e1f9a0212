#include "wizards/basefontdialog.h"

BaseFontDialog::BaseFontDialog(AppContext &ctx, QWidget *parent)
    : FontTagDialog(ctx, QStringLiteral("Basefont"), baseFontSizeItems(), parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

QString BaseFontDialog::editStartTag(AppContext &ctx, const QString &tag, QWidget *parent) {
    BaseFontDialog dialog(ctx, parent);
    dialog.setFields(fontFieldsFromTag(tag));
    return dialog.exec() == QDialog::Accepted ? dialog.baseFontTag() : QString();
}
