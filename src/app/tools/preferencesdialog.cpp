#include "tools/preferencesdialog.h"

#include "widgets/dialogbuttons.h"
#include "widgets/enterkey.h"

#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "shell/prompts.h"
#include "tools/preferences.h"
#include "tools/spellingdictionary.h"
#include "tools/tooltexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QCheckBox *checkBox(const QString &text, const QString &name, QWidget *parent) {
    auto *b = new QCheckBox(text, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit *lineEdit(const QString &name, QWidget *parent) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMinimumWidth(260);
    return e;
}

} // namespace

PreferencesDialog::PreferencesDialog(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_ctx(ctx) {
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(QStringLiteral("Preferences"));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("preferencesTabs"));
    tabs->addTab(buildEditorPage(), QStringLiteral("Editor options"));
    tabs->addTab(buildAdditionalPage(), QStringLiteral("Additional options"));
    tabs->addTab(buildDirectoriesPage(), QStringLiteral("Directories"));
    tabs->addTab(buildLauncherPage(), QStringLiteral("App.Launcher/Spelling"));
    layout->addWidget(tabs);
    layout->addWidget(okCancelButtons(this));
    // The wrapped notes would otherwise stretch the window to one line of text each.
    resize(620, 500);
}

QWidget *PreferencesDialog::buildEditorPage() {
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    m_convertSlashes = checkBox(QStringLiteral("Convert \\ to / "), QStringLiteral("convertSlashes"), page);
    m_wordWrap = checkBox(QStringLiteral("Use Wordwrap"), QStringLiteral("wordWrap"), page);
    m_convertExtended = checkBox(QStringLiteral("Convert extended characters while typing"),
                                 QStringLiteral("convertExtended"), page);
    m_completion = checkBox(QStringLiteral("Complete tags and entities while typing"),
                            QStringLiteral("completeWhileTyping"), page);
    m_colorCoding = checkBox(QStringLiteral("Enable Color Coding"), QStringLiteral("colorCoding"), page);
    connect(m_colorCoding, &QCheckBox::clicked, this, [this] { m_colorsChanged = true; });

    auto *colours = new QFormLayout;
    colours->addRow(QStringLiteral("Text color:"), swatchRow(m_textColor, QStringLiteral("textColor"), false));
    colours->addRow(QStringLiteral("Tag color:"), swatchRow(m_tagColor, QStringLiteral("tagColor"), false));
    colours->addRow(QStringLiteral("Comment color:"),
                    swatchRow(m_commentColor, QStringLiteral("commentColor"), false));
    colours->addRow(QStringLiteral("Background color:"),
                    swatchRow(m_backgroundColor, QStringLiteral("backgroundColor"), true));

    m_fontName = new QComboBox(page);
    m_fontName->setObjectName(QStringLiteral("fontName"));
    m_fontName->addItems(QFontDatabase::families());
    m_fontName->setMaxVisibleItems(16);
    m_fontSize = new QComboBox(page);
    m_fontSize->setObjectName(QStringLiteral("fontSize"));
    m_fontSize->setEditable(true);
    for (int size = 6; size <= 20; ++size)
        m_fontSize->addItem(QString::number(size));
    m_fontSize->setInsertPolicy(QComboBox::NoInsert);
    connect(m_fontName, &QComboBox::activated, this, [this] {
        m_ctx.settings.fontName = storedFontName(m_fontName->currentText());
        m_fontChanged = true;
    });
    auto takeSize = [this] {
        bool ok = false;
        const int size = m_fontSize->currentText().trimmed().toInt(&ok);
        if (!ok || size < AppSettings::MinFontSize || size > AppSettings::MaxFontSize)
            return; // not a size: the previous one stays
        m_ctx.settings.fontSize = size;
        m_fontChanged = true;
    };
    connect(m_fontSize, &QComboBox::activated, this, takeSize);
    connect(m_fontSize->lineEdit(), &QLineEdit::editingFinished, this, takeSize);
    auto *font = new QFormLayout;
    font->addRow(QStringLiteral("Font:"), m_fontName);
    font->addRow(QStringLiteral("Size:"), m_fontSize);

    auto *paths = new QGroupBox(QStringLiteral("Path in HTML code"), page);
    auto *pathsLayout = new QVBoxLayout(paths);
    m_relative = new QRadioButton(QStringLiteral("Relative Paths"), paths);
    m_relative->setObjectName(QStringLiteral("relativePaths"));
    m_absolute = new QRadioButton(QStringLiteral("Absolute Paths"), paths);
    m_absolute->setObjectName(QStringLiteral("absolutePaths"));
    m_bareName = new QRadioButton(QStringLiteral("No Paths (filenames only)"), paths);
    m_bareName->setObjectName(QStringLiteral("noPaths"));
    pathsLayout->addWidget(m_relative);
    pathsLayout->addWidget(m_absolute);
    pathsLayout->addWidget(m_bareName);

    auto *left = new QVBoxLayout;
    left->addWidget(m_convertSlashes);
    left->addWidget(m_wordWrap);
    left->addWidget(m_convertExtended);
    left->addWidget(m_completion);
    left->addWidget(m_colorCoding);
    left->addSpacing(8);
    left->addLayout(font);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addLayout(colours);
    right->addSpacing(8);
    right->addWidget(paths);
    right->addStretch(1);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->setHorizontalSpacing(24);
    return page;
}

QWidget *PreferencesDialog::swatchRow(Swatch &swatch, const QString &name, bool fontFlag) {
    swatch.button = new QToolButton(this);
    swatch.button->setObjectName(name);
    swatch.button->setText(QStringLiteral("..."));
    swatch.button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    swatch.button->setIconSize(QSize(48, 14));
    Swatch *s = &swatch;
    connect(swatch.button, &QToolButton::clicked, this, [this, s, fontFlag] {
        const std::optional<QColor> chosen =
            m_ctx.prompt().pickColor(resolveColor(s->value, palette()));
        if (!chosen)
            return;
        setSwatch(*s, ColorValues::fromRgb(chosen->red(), chosen->green(), chosen->blue()));
        (fontFlag ? m_fontChanged : m_colorsChanged) = true;
    });
    return swatch.button;
}

void PreferencesDialog::setSwatch(Swatch &swatch, ColorValue value) {
    swatch.value = value;
    QPixmap pm(48, 14);
    pm.fill(resolveColor(value, palette()));
    swatch.button->setIcon(QIcon(pm));
    swatch.button->setToolTip(colorToText(value));
}

QWidget *PreferencesDialog::buildAdditionalPage() {
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    grid->addWidget(extensionBox(m_htmlExtensions,
                                 QStringLiteral("Files with the following file extensions are "
                                                "considered HTML documents."),
                                 QStringLiteral("html"), QStringLiteral("&Add"),
                                 QStringLiteral("&Delete")),
                    0, 0);
    grid->addWidget(extensionBox(m_multimediaExtensions,
                                 QStringLiteral("Files with the following file extensions are "
                                                "considered Multimedia files."),
                                 QStringLiteral("multimedia"), QStringLiteral("Add"),
                                 QStringLiteral("Delete")),
                    0, 1);

    auto *backup = new QGroupBox(QStringLiteral("Backup"), page);
    auto *backupRow = new QHBoxLayout(backup);
    m_backup = checkBox(QStringLiteral("Enabled"), QStringLiteral("backupEnabled"), backup);
    m_backupMinutes = new QSpinBox(backup);
    m_backupMinutes->setObjectName(QStringLiteral("backupMinutes"));
    m_backupMinutes->setRange(AppSettings::MinBackupMinutes, AppSettings::MaxBackupMinutes);
    backupRow->addWidget(m_backup);
    backupRow->addSpacing(12);
    backupRow->addWidget(new QLabel(QStringLiteral("Backup every"), backup));
    backupRow->addWidget(m_backupMinutes);
    backupRow->addWidget(new QLabel(QStringLiteral("minutes"), backup));
    backupRow->addStretch(1);
    connect(m_backup, &QCheckBox::toggled, this, &PreferencesDialog::emitBackup);
    connect(m_backupMinutes, &QSpinBox::valueChanged, this, &PreferencesDialog::emitBackup);

    auto *patch = new QGroupBox(QStringLiteral("NT 3.5/3.51 patch"), page);
    auto *patchLayout = new QHBoxLayout(patch);
    m_ntPatch = checkBox(QStringLiteral("Enabled"), QStringLiteral("ntPatch"), patch);
    auto *note = new QLabel(QStringLiteral("If the edit window is truncated and you are running "
                                           "on NT, try to enable this option and restart Marlo."),
                            patch);
    note->setWordWrap(true);
    patchLayout->addWidget(m_ntPatch, 0, Qt::AlignTop);
    patchLayout->addWidget(note, 1);

    m_saveAll = checkBox(QStringLiteral("Save all open documents before external browsing"),
                         QStringLiteral("saveAllBeforeBrowsing"), page);
    grid->addWidget(backup, 1, 0, 1, 2);
    grid->addWidget(patch, 2, 0, 1, 2);
    grid->addWidget(m_saveAll, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *PreferencesDialog::extensionBox(ExtensionList &ext, const QString &caption,
                                         const QString &name, const QString &add,
                                         const QString &remove) {
    auto *box = new QWidget(this);
    auto *layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(caption, box);
    label->setWordWrap(true);
    ext.list = new QListWidget(box);
    ext.list->setObjectName(name + QStringLiteral("Extensions"));
    ext.list->setMinimumHeight(110);
    ext.edit = new QLineEdit(box);
    ext.edit->setObjectName(name + QStringLiteral("Extension"));
    auto *addButton = new QPushButton(add, box);
    addButton->setObjectName(name + QStringLiteral("Add"));
    addButton->setAutoDefault(false);
    auto *removeButton = new QPushButton(remove, box);
    removeButton->setObjectName(name + QStringLiteral("Delete"));
    removeButton->setAutoDefault(false);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(ext.list, 1, 0, 3, 1);
    layout->addWidget(ext.edit, 1, 1);
    layout->addWidget(addButton, 2, 1);
    layout->addWidget(removeButton, 3, 1, Qt::AlignTop);
    ExtensionList *e = &ext;
    connect(addButton, &QPushButton::clicked, this, [this, e] { addExtension(*e); });
    connect(ext.edit, &QLineEdit::returnPressed, this, [this, e] { addExtension(*e); });
    keepEnterInField(ext.edit);
    connect(removeButton, &QPushButton::clicked, this, [e] {
        if (QListWidgetItem *item = e->list->currentItem())
            delete item;
    });
    return box;
}

void PreferencesDialog::addExtension(ExtensionList &ext) {
    const QString text = ext.edit->text();
    QStringList listed;
    for (int i = 0; i < ext.list->count(); ++i)
        listed << ext.list->item(i)->text();
    const ExtensionCheck check = checkExtension(listed, text);
    if (check == ExtensionCheck::Empty)
        return;
    const QString message = extensionMessage(check);
    if (!message.isEmpty())
        m_ctx.prompt().information(message);
    if (check == ExtensionCheck::Accepted)
        ext.list->addItem(text);
    ext.edit->clear();
}

QWidget *PreferencesDialog::fileRow(QLineEdit *&edit, const QString &name, const QString &caption,
                                    const QString &filter) {
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    edit = lineEdit(name, row);
    auto *browse = new QToolButton(row);
    browse->setObjectName(name + QStringLiteral("Browse"));
    browse->setText(QStringLiteral("..."));
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    QLineEdit *target = edit;
    connect(browse, &QToolButton::clicked, this, [this, target, caption, filter] {
        const QString chosen = filter.isEmpty()
                                   ? m_ctx.prompt().pickFolder(caption, target->text())
                                   : m_ctx.prompt().openFileName(caption, target->text(), filter);
        if (!chosen.isEmpty())
            target->setText(chosen);
    });
    return row;
}

QWidget *PreferencesDialog::buildDirectoriesPage() {
    const QString programs = QStringLiteral("Programs (*)");
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("HTML-Homedirectory:"),
                 fileRow(m_homeFolder, QStringLiteral("homeFolder"),
                         QStringLiteral("HTML-Homedirectory"), QString()));
    form->addRow(QStringLiteral("Netscape Navigator Directory:"),
                 fileRow(m_primaryBrowser, QStringLiteral("primaryBrowser"),
                         QStringLiteral("Browser program"), programs));
    m_primaryDefault = new QRadioButton(QStringLiteral("Use as default external browser"), page);
    m_primaryDefault->setObjectName(QStringLiteral("primaryDefault"));
    form->addRow(QString(), m_primaryDefault);
    form->addRow(QStringLiteral("Internet Explorer Directory:"),
                 fileRow(m_secondaryBrowser, QStringLiteral("secondaryBrowser"),
                         QStringLiteral("Browser program"), programs));
    m_secondaryDefault = new QRadioButton(QStringLiteral("Use as default external browser"), page);
    m_secondaryDefault->setObjectName(QStringLiteral("secondaryDefault"));
    form->addRow(QString(), m_secondaryDefault);
    form->addRow(QStringLiteral("External HTML-Helpfile:"),
                 fileRow(m_helpFile, QStringLiteral("helpFile"), QStringLiteral("Help file"),
                         QStringLiteral("HTML help files (*.htm *.html);;All files (*)")));
    form->addRow(QStringLiteral("Default HTML template:"),
                 fileRow(m_templateFile, QStringLiteral("templateFile"),
                         QStringLiteral("Default HTML template"), QStringLiteral("All Files (*)")));
    return page;
}

QWidget *PreferencesDialog::buildLauncherPage() {
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Application Title"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Location"), page), 0, 1);
    for (int i = 0; i < 4; ++i) {
        LauncherRow &row = m_launcher[i];
        row.title = new QLineEdit(page);
        row.title->setObjectName(QStringLiteral("launcherTitle%1").arg(i + 1));
        QWidget *command = fileRow(row.command, QStringLiteral("launcherCommand%1").arg(i + 1),
                                   QStringLiteral("Program"), QStringLiteral("Programs (*)"));
        row.autoStart = checkBox(QStringLiteral("Autostart"),
                                 QStringLiteral("launcherAutoStart%1").arg(i + 1), page);
        grid->addWidget(row.title, i + 1, 0);
        grid->addWidget(command, i + 1, 1);
        grid->addWidget(row.autoStart, i + 1, 2);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto *dictionaryRow = new QHBoxLayout;
    m_dictionary = new QComboBox(page);
    m_dictionary->setObjectName(QStringLiteral("dictionary"));
    m_dictionary->setEditable(true);
    m_dictionary->setInsertPolicy(QComboBox::NoInsert);
    m_dictionary->setMinimumWidth(180);
    connect(m_dictionary->lineEdit(), &QLineEdit::editingFinished, this,
            &PreferencesDialog::checkDictionary);
    connect(m_dictionary, &QComboBox::activated, this, &PreferencesDialog::checkDictionary);
    dictionaryRow->addWidget(new QLabel(QStringLiteral("Dictionary:"), page));
    dictionaryRow->addWidget(m_dictionary);
    dictionaryRow->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(dictionaryRow);
    auto *note = new QLabel(QStringLiteral("The newly selected dictionary will become active "
                                           "after the next start of Marlo."),
                            page);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto *spelling = new QGroupBox(QStringLiteral("Spelling checker"), page);
    auto *spellingLayout = new QVBoxLayout(spelling);
    m_ignoreMail = checkBox(QStringLiteral("Ignore words with '@'"), QStringLiteral("ignoreMail"), spelling);
    m_ignoreLinks = checkBox(QStringLiteral("Ignore links ('http://..', etc.)"),
                             QStringLiteral("ignoreLinks"), spelling);
    m_convertForSpelling = checkBox(QStringLiteral("Temporary convert extended chars."),
                                    QStringLiteral("convertForSpelling"), spelling);
    spellingLayout->addWidget(m_ignoreMail);
    spellingLayout->addWidget(m_ignoreLinks);
    spellingLayout->addWidget(m_convertForSpelling);
    layout->addWidget(spelling);
    layout->addStretch(1);
    return page;
}

void PreferencesDialog::emitBackup() {
    m_backupMinutes->setEnabled(m_backup->isChecked());
    Q_EMIT backupChanged(m_backup->isChecked(), m_backupMinutes->value());
}

void PreferencesDialog::checkDictionary() {
    const QString typed = m_dictionary->currentText();
    if (m_dictionary->findText(typed, Qt::MatchFixedString) < 0) {
        const QString current = m_ctx.settings.dictionaryFile.toLower();
        if (typed == current)
            return; // the stored choice, whether or not its file is still there
        m_ctx.prompt().information(typed + PreferenceTexts::InvalidDictionary);
        m_dictionary->setEditText(current);
        return;
    }
    m_ctx.settings.installDictionaryAtStart = true;
}

void PreferencesDialog::loadFromSettings() {
    AppSettings &s = m_ctx.settings;
    m_dictionary->clear();
    m_dictionary->addItems(dictionaryChoices(m_ctx.paths.installDir));
    m_dictionary->setEditText(s.dictionaryFile.toLower());
    m_fontChanged = false;
    m_colorsChanged = false;
    for (int i = 0; i < AppSettings::LauncherSlots; ++i) {
        // Free slots show empty fields; the settings keep their marker until OK.
        m_launcher[i].title->setText(launcherFieldText(s.launcherTitles[i]));
        m_launcher[i].command->setText(launcherFieldText(s.launcherCommands[i]));
        m_launcher[i].autoStart->setChecked(s.launcherAutoStart[i]);
    }

    m_convertSlashes->setChecked(s.convertSlashes);
    m_wordWrap->setChecked(s.wordWrap);
    m_convertExtended->setChecked(s.convertExtendedCharacters);
    m_completion->setChecked(s.completeWhileTyping);
    m_colorCoding->setChecked(s.colorCoding);
    setSwatch(m_textColor, s.textColor);
    setSwatch(m_tagColor, s.tagColor);
    setSwatch(m_commentColor, s.commentColor);
    setSwatch(m_backgroundColor, s.backgroundColor);
    // A font this system lacks shows as the family that stands in for it.
    int font = m_fontName->findText(s.fontName, Qt::MatchFixedString);
    if (font < 0)
        font = m_fontName->findText(QFontInfo(QFont(s.fontName)).family(), Qt::MatchFixedString);
    m_fontName->setCurrentIndex(font);
    m_fontSize->setEditText(QString::number(s.fontSize));
    m_relative->setChecked(s.relativeReferences);
    m_absolute->setChecked(s.absoluteReferences);
    m_bareName->setChecked(s.bareNameReferences);

    m_htmlExtensions.list->clear();
    m_htmlExtensions.list->addItems(extensionsFromMask(s.htmlMask));
    m_multimediaExtensions.list->clear();
    m_multimediaExtensions.list->addItems(extensionsFromMask(s.multimediaMask));
    {
        const QSignalBlocker block(m_backupMinutes);
        m_backupMinutes->setValue(
            qBound(AppSettings::MinBackupMinutes, s.backupMinutes, AppSettings::MaxBackupMinutes));
    }
    m_backup->setChecked(s.backupEnabled);
    emitBackup(); // the timer follows the box from the moment the dialog opens
    m_ntPatch->setChecked(s.enlargeFirstEditor);
    m_saveAll->setChecked(s.saveAllBeforeBrowsing);

    m_homeFolder->setText(s.homeFolder);
    m_primaryBrowser->setText(s.primaryBrowser);
    m_secondaryBrowser->setText(s.secondaryBrowser);
    m_primaryDefault->setChecked(s.primaryBrowserIsDefault);
    m_secondaryDefault->setChecked(!s.primaryBrowserIsDefault);
    m_helpFile->setText(s.tagHelpFile);
    m_templateFile->setText(s.templateFile);

    m_ignoreMail->setChecked(s.spellIgnoreMail);
    m_ignoreLinks->setChecked(s.spellIgnoreLinks);
    m_convertForSpelling->setChecked(s.spellConvertExtended);
}

void PreferencesDialog::accept() {
    AppSettings &s = m_ctx.settings;
    QStringList html;
    for (int i = 0; i < m_htmlExtensions.list->count(); ++i)
        html << m_htmlExtensions.list->item(i)->text();
    QStringList multimedia;
    for (int i = 0; i < m_multimediaExtensions.list->count(); ++i)
        multimedia << m_multimediaExtensions.list->item(i)->text();
    s.htmlMask = maskFromExtensions(html);
    s.dictionaryFile = m_dictionary->currentText();
    s.templateFile = m_templateFile->text();
    s.multimediaMask = maskFromExtensions(multimedia);

    s.saveAllBeforeBrowsing = m_saveAll->isChecked();
    s.primaryBrowserIsDefault = m_primaryDefault->isChecked();
    s.convertExtendedCharacters = m_convertExtended->isChecked();
    s.completeWhileTyping = m_completion->isChecked();
    s.backgroundColor = m_backgroundColor.value;
    s.colorCoding = m_colorCoding->isChecked();
    s.textColor = m_textColor.value;
    s.commentColor = m_commentColor.value;
    s.tagColor = m_tagColor.value;
    s.backupEnabled = m_backup->isChecked();
    s.backupMinutes = m_backupMinutes->value();
    s.enlargeFirstEditor = m_ntPatch->isChecked();
    s.wordWrap = m_wordWrap->isChecked();
    s.relativeReferences = m_relative->isChecked();
    s.absoluteReferences = m_absolute->isChecked();
    s.bareNameReferences = m_bareName->isChecked();
    s.convertSlashes = m_convertSlashes->isChecked();
    s.homeFolder = m_homeFolder->text();
    s.primaryBrowser = m_primaryBrowser->text();
    s.secondaryBrowser = m_secondaryBrowser->text();
    s.tagHelpFile = m_helpFile->text();
    s.spellIgnoreMail = m_ignoreMail->isChecked();
    s.spellIgnoreLinks = m_ignoreLinks->isChecked();
    s.spellConvertExtended = m_convertForSpelling->isChecked();

    for (int i = 0; i < AppSettings::LauncherSlots; ++i) {
        s.launcherTitles[i] = launcherSlotText(m_launcher[i].title->text());
        s.launcherCommands[i] = launcherSlotText(m_launcher[i].command->text());
        s.launcherAutoStart[i] = m_launcher[i].autoStart->isChecked();
    }
    QDialog::accept();
}
