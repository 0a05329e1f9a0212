// "Font": size, colour and up to three faces of a FONT tag around the selection. The
// "Basefont" dialog is the same with the absolute sizes only and no end tag.
#pragma once

#include "wizards/formbuilders.h"
#include "wizards/tagdialog.h"

struct AppContext;
class ColorFields;
class QComboBox;

class FontTagDialog : public TagDialog {
    Q_OBJECT
public:
    explicit FontTagDialog(AppContext &ctx, QWidget *parent = nullptr);

    FontFields fields() const;
    void setFields(const FontFields &f);

    // Shows the dialog filled from an existing start tag; on Ok returns the new start tag, else
    // an empty string.
    static QString editStartTag(AppContext &ctx, const QString &tag, QWidget *parent);

protected:
    FontTagDialog(AppContext &ctx, const QString &caption, const QStringList &sizes,
                  QWidget *parent);

private:
    QComboBox *m_size;
    ColorFields *m_colors;
    QComboBox *m_faces[3];
    QString m_other; // the edited tag's attributes without a field, kept as written
};
