// "Basefont": the BASEFONT tag's size, colour and faces.
#pragma once

#include "wizards/fonttagdialog.h"

class BaseFontDialog : public FontTagDialog {
    Q_OBJECT
public:
    explicit BaseFontDialog(AppContext &ctx, QWidget *parent = nullptr);
    QString baseFontTag() const { return buildBaseFontTag(fields()); }

    // As FontTagDialog::editStartTag, for a BASEFONT tag.
    static QString editStartTag(AppContext &ctx, const QString &tag, QWidget *parent);
};
