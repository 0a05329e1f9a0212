// The "Text conversion" window: lets the user choose how accented characters and slashes are
// converted and hands the choice to its owner, which runs the conversion. Modeless, created for
// each use; it deletes itself when it closes.
#pragma once

#include "editor/textconversionoptions.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QRadioButton;

class TextConversionDialog : public QDialog {
    Q_OBJECT
public:
    explicit TextConversionDialog(QWidget *parent = nullptr);

    TextConversionOptions options() const;

Q_SIGNALS:
    // Emitted by "Ok" while the window is already hidden; the window closes right after the
    // owner returns. "Cancel" emits QDialog::rejected instead.
    void conversionRequested(const TextConversionOptions &options);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *buildLatin1Group();
    QLabel *labelledRadio(QRadioButton *button, const QString &caption, const QString &name);
    void confirm();

    QRadioButton *m_toEntities;
    QRadioButton *m_fromEntities;
    QRadioButton *m_latin1NoChange;
    QRadioButton *m_backslashToSlash;
    QRadioButton *m_slashToBackslash;
    QRadioButton *m_slashesNoChange;
    QLabel *m_toEntitiesLabel;
    QLabel *m_fromEntitiesLabel;
};
