#include "wizards/fonttagdialog.h"

#include "wizards/colorfields.h"

#include <QComboBox>
#include <QFontDatabase>

FontTagDialog::FontTagDialog(AppContext &ctx, QWidget *parent)
    : FontTagDialog(ctx, QStringLiteral("Font"), fontSizeItems(), parent) {}

FontTagDialog::FontTagDialog(AppContext &ctx, const QString &caption, const QStringList &sizes,
                             QWidget *parent)
    : TagDialog(caption, parent), m_colors(new ColorFields(ctx, this)) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_size = addList(QStringLiteral("Fontsize:"), QStringLiteral("fontSize"), sizes, true);
    addRow(QStringLiteral("Color:"), m_colors->add(QStringLiteral("color")));
    const QStringList families = QFontDatabase::families();
    const QString labels[] = {QStringLiteral("Face:"), QStringLiteral("Alt. face:"),
                              QStringLiteral("Alt. face:")};
    const QString names[] = {QStringLiteral("face"), QStringLiteral("altFace1"),
                             QStringLiteral("altFace2")};
    for (int i = 0; i < 3; ++i) {
        m_faces[i] = addList(labels[i], names[i], families, true);
        m_faces[i]->setMinimumContentsLength(24);
    }
}

FontFields FontTagDialog::fields() const {
    FontFields f;
    f.size = m_size->currentText();
    f.color = m_colors->text(0);
    f.face = m_faces[0]->currentText();
    f.altFace1 = m_faces[1]->currentText();
    f.altFace2 = m_faces[2]->currentText();
    f.other = m_other;
    return f;
}

void FontTagDialog::setFields(const FontFields &f) {
    m_size->setCurrentText(f.size);
    m_colors->setText(0, f.color);
    m_faces[0]->setCurrentText(f.face);
    m_faces[1]->setCurrentText(f.altFace1);
    m_faces[2]->setCurrentText(f.altFace2);
    m_other = f.other;
}

QString FontTagDialog::editStartTag(AppContext &ctx, const QString &tag, QWidget *parent) {
    FontTagDialog dialog(ctx, parent);
    dialog.setFields(fontFieldsFromTag(tag));
    return dialog.exec() == QDialog::Accepted ? buildFontTag(dialog.fields()).start : QString();
}
