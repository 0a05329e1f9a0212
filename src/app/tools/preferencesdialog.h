// The "Preferences" dialog: four pages of settings. Font name and size and the dictionary
// choice go into the settings at once, the backup box drives the backup timer at once
// (backupChanged); everything else is written by OK (accept()). The caller saves and applies.
#pragma once

#include "shell/colorvalue.h"

#include <QDialog>
#include <array>

struct AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QToolButton;
class QWidget;

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(AppContext &ctx, QWidget *parent = nullptr);

    // Fills every field from the settings (and starts or stops the backup timer accordingly).
    void loadFromSettings();
    bool fontChanged() const { return m_fontChanged; }
    bool colorsChanged() const { return m_colorsChanged; }

    void accept() override;

Q_SIGNALS:
    void backupChanged(bool enabled, int minutes);

private:
    struct Swatch {
        QToolButton *button = nullptr;
        ColorValue value = 0;
    };
    struct ExtensionList {
        QListWidget *list = nullptr;
        QLineEdit *edit = nullptr;
    };
    struct LauncherRow {
        QLineEdit *title = nullptr;
        QLineEdit *command = nullptr;
        QCheckBox *autoStart = nullptr;
    };

    QWidget *buildEditorPage();
    QWidget *buildAdditionalPage();
    QWidget *buildDirectoriesPage();
    QWidget *buildLauncherPage();
    QWidget *swatchRow(Swatch &swatch, const QString &name, bool fontFlag);
    QWidget *extensionBox(ExtensionList &ext, const QString &caption, const QString &name,
                          const QString &add, const QString &remove);
    QWidget *fileRow(QLineEdit *&edit, const QString &name, const QString &caption,
                     const QString &filter);
    void setSwatch(Swatch &swatch, ColorValue value);
    void addExtension(ExtensionList &ext);
    void emitBackup();
    void checkDictionary();

    AppContext &m_ctx;
    bool m_fontChanged = false;
    bool m_colorsChanged = false;

    QCheckBox *m_convertSlashes;
    QCheckBox *m_wordWrap;
    QCheckBox *m_convertExtended;
    QCheckBox *m_completion;
    QCheckBox *m_colorCoding;
    Swatch m_textColor;
    Swatch m_tagColor;
    Swatch m_commentColor;
    Swatch m_backgroundColor;
    QComboBox *m_fontName;
    QComboBox *m_fontSize;
    QRadioButton *m_relative;
    QRadioButton *m_absolute;
    QRadioButton *m_bareName;

    ExtensionList m_htmlExtensions;
    ExtensionList m_multimediaExtensions;
    QCheckBox *m_backup;
    QSpinBox *m_backupMinutes;
    QCheckBox *m_ntPatch;
    QCheckBox *m_saveAll;

    QLineEdit *m_homeFolder;
    QLineEdit *m_primaryBrowser;
    QLineEdit *m_secondaryBrowser;
    QRadioButton *m_primaryDefault;
    QRadioButton *m_secondaryDefault;
    QLineEdit *m_helpFile;
    QLineEdit *m_templateFile;

    std::array<LauncherRow, 4> m_launcher;
    QComboBox *m_dictionary;
    QCheckBox *m_ignoreMail;
    QCheckBox *m_ignoreLinks;
    QCheckBox *m_convertForSpelling;
};
