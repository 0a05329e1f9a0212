#include "tools/toolcommands.h"

#include "editor/documentaccess.h"
#include "editor/sourcedocument.h"
#include "editor/sourceeditor.h"
#include "platform/processlauncher.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/firststart.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "tools/custombuttonsdialog.h"
#include "tools/hunspellspeller.h"
#include "tools/personalwords.h"
#include "tools/preferences.h"
#include "tools/preferencesdialog.h"
#include "tools/spellcheckdialog.h"
#include "tools/tooltexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <functional>

namespace {

// The editor side of a spell check: mirrors the walk's changes into the editor, and for each
// rejected word selects it, shows the dialog and waits for the answer.
class EditorSpellHost : public SpellCheckHost {
public:
    EditorSpellHost(SourceEditor *editor, SpellCheckDialog *dialog, QWidget *window,
                    std::function<void(const QString &)> wordAdded)
        : m_editor(editor), m_dialog(dialog), m_window(window), m_wordAdded(std::move(wordAdded)) {}

    void applyEdits(const TextEdits &edits) override {
        // Positions of a text changed by another hand would land on other words.
        if (m_editor && !m_changedMeanwhile)
            m_editor->sourceDocument().applyEdits(edits);
    }

    // A command changed the text while the check waited for an answer; the check stopped.
    bool textChangedMeanwhile() const { return m_changedMeanwhile; }

    SpellAnswer ask(const SpellQuestion &q) override {
        if (!m_editor)
            return {SpellAnswer::Cancel, {}};
        m_dialog->setQuestion(q.checkedWord, q.suggestions);
        QApplication::restoreOverrideCursor();
        m_editor->setSelection(q.position, q.length);
        // The row of the word just below the top, also deep inside a wrapped line.
        m_editor->scrollToPosition(q.position, 1);
        m_editor->endUpdate();
        if (!m_dialog->isVisible()) {
            placeDialog();
            m_dialog->show();
        }
        m_dialog->raise();
        m_dialog->activateWindow(); // keys answer at once: Enter ignores, Escape cancels
        // The text must stay as the check knows it while the user decides.
        m_editor->setReadOnly(true);
        // Only typing is kept out that way: the window's commands (a tag button, Replace All,
        // Undo, a file reloaded) still reach the page. Any change ends the wait and the check.
        SpellAnswer answer{SpellAnswer::Cancel, {}};
        QEventLoop loop;
        QObject::connect(m_dialog, &SpellCheckDialog::answered, &loop,
                         [&](const SpellAnswer &a) {
                             answer = a;
                             loop.quit();
                         });
        QObject::connect(m_editor, &QObject::destroyed, &loop, &QEventLoop::quit);
        const SourceDocument *doc = &m_editor->sourceDocument();
        auto changed = [&] {
            m_changedMeanwhile = true;
            loop.quit();
        };
        QObject::connect(doc, &SourceDocument::textChanged, &loop, changed);
        QObject::connect(doc, &SourceDocument::textReplaced, &loop, changed);
        loop.exec();
        if (!m_editor)
            return {SpellAnswer::Cancel, {}};
        m_editor->setReadOnly(false);
        if (m_changedMeanwhile)
            answer = {SpellAnswer::Cancel, {}};
        if (answer.action == SpellAnswer::AddToDictionary)
            m_wordAdded(q.checkedWord);
        m_editor->beginUpdate();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return answer;
    }

private:
    void placeDialog() {
        // Beside the text, near the top of the window, clear of the editor's first lines.
        const QRect frame = m_window->frameGeometry();
        int x = frame.right() - m_dialog->width() - 40;
        if (const QScreen *screen = m_window->screen())
            x = qMin(x, screen->availableGeometry().right() - m_dialog->width());
        m_dialog->move(qMax(frame.left(), x), frame.top() + 80);
    }

    QPointer<SourceEditor> m_editor;
    SpellCheckDialog *m_dialog;
    QWidget *m_window;
    std::function<void(const QString &)> m_wordAdded;
    bool m_changedMeanwhile = false;
};

} // namespace

ToolCommands::ToolCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                           QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    commands.add(QStringLiteral("actionPreferences"), this, &ToolCommands::openPreferences);
    m_spellCheck =
        commands.add(QStringLiteral("actionCheckSpelling"), this, &ToolCommands::checkSpelling);
    commands.addButton(QStringLiteral("customButtonsButton"), this,
                       &ToolCommands::openCustomButtons);

    QList<QAction *> items;
    for (int i = 0; i < AppSettings::LauncherSlots; ++i) {
        m_launcherItems[i] = new QAction(MarkerEmpty, this);
        m_launcherItems[i]->setObjectName(QStringLiteral("launcherItem%1").arg(i + 1));
        connect(m_launcherItems[i], &QAction::triggered, this, [this, i] { startLauncherSlot(i); });
        items << m_launcherItems[i];
    }
    commands.addGroup(QStringLiteral("launcherItems"), items);
    commands.onMenuShow(QStringLiteral("menuApplicationLauncher"), this,
                        [this] { updateLauncherMenu(); });
    updateLauncherMenu();
}

ToolCommands::~ToolCommands() = default;

void ToolCommands::updateLauncherMenu() {
    const AppSettings &s = m_ctx.settings;
    for (int i = 0; i < AppSettings::LauncherSlots; ++i) {
        QString title = s.launcherTitles[i];
        m_launcherItems[i]->setText(title.replace(QLatin1Char('&'), QStringLiteral("&&")));
        m_launcherItems[i]->setVisible(launcherItemVisible(s, i));
    }
}

bool ToolCommands::startLauncherSlot(int slot) {
    const QString command = launcherCommand(m_ctx.settings, slot);
    if (command.isEmpty())
        return false;
    QString failure;
    if (startCommandLine(command, &failure))
        return true;
    if (!failure.isEmpty())
        m_ctx.prompt().error(failure);
    return false;
}

void ToolCommands::openPreferences() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PreferencesDialog dialog(m_ctx, m_window);
    connect(&dialog, &PreferencesDialog::backupChanged, this,
            &ToolCommands::backupSettingsChanged);
    dialog.loadFromSettings();
    QApplication::restoreOverrideCursor();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const AppSettings &s = m_ctx.settings;
    saveSettings(m_ctx);
    Q_EMIT editorSettingsChanged();
    if (dialog.fontChanged() || dialog.colorsChanged()) {
        // The font pass recolours every document, a colour change the current one.
        const QList<SourceDocument *> docs =
            dialog.fontChanged() ? m_docs.documents() : QList<SourceDocument *>{&m_docs.current()};
        for (SourceDocument *doc : docs)
            doc->colorCodeLines(0, SourceDocument::LastLine);
    }
    Q_EMIT fileListSettingsChanged();
    Q_EMIT backupSettingsChanged(s.backupEnabled, s.backupMinutes);
    updateLauncherMenu();
}

void ToolCommands::openCustomButtons() {
    CustomButtonsDialog dialog(m_ctx.settings, m_window);
    if (dialog.exec() == QDialog::Accepted) {
        saveSettings(m_ctx);
        Q_EMIT userButtonCaptionsChanged();
    }
    m_docs.currentView().setFocus();
}

HunspellSpeller *ToolCommands::speller() {
    if (!m_spellerTried) {
        m_spellerTried = true;
        // The installed dictionary, or the standard one when nothing is installed yet.
        QString vtd = QDir(m_ctx.paths.dataDir).filePath(QLatin1String(InstalledDictionaryName));
        if (!QFileInfo::exists(vtd))
            vtd = QDir(m_ctx.paths.installDir).filePath(QStringLiteral("american.vtd"));
        const HunspellFiles files = resolveDictionary(
            vtd, {m_ctx.paths.dataDir, m_ctx.paths.installDir, QStringLiteral("/usr/share/hunspell"),
                  QStringLiteral("/usr/share/myspell/dicts")});
        if (files.isValid())
            m_speller = std::make_unique<HunspellSpeller>(files);
        if (!m_speller || !m_speller->isLoaded()) {
            m_speller.reset();
            m_spellerTried = false; // the user may install one and try again
        } else {
            PersonalWords personal = personalWords();
            QString error;
            if (!personal.load(&error))
                m_ctx.prompt().error(error);
            for (const QString &word : personal.words())
                m_speller->addWord(word);
        }
    }
    return m_speller.get();
}

void ToolCommands::checkSpelling() {
    SourceEditor *ed = &m_docs.currentView();
    HunspellSpeller *engine = speller();
    if (!engine) {
        m_ctx.prompt().error(ToolTexts::DictionaryNotOpened);
        return;
    }
    if (!m_spellDialog) {
        m_spellDialog = new SpellCheckDialog(m_window);
        m_spellDialog->setSuggestionSource(
            [this](const QString &word) { return m_speller ? m_speller->findSuggestions(word) : QStringList(); });
        connect(m_spellDialog, &SpellCheckDialog::helpRequested, this,
                [this] { Q_EMIT helpRequested(QStringLiteral("spell")); });
    }

    m_spellCheck->setEnabled(false);
    const int selStart = ed->selectionStart();
    const int selLength = ed->selectionLength();
    const int top = ed->topLine();
    QPointer<SourceEditor> guard(ed);
    ed->beginUpdate();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    SpellCheckOptions options;
    options.convertEntities = m_ctx.settings.spellConvertExtended;
    options.ignoreMail = m_ctx.settings.spellIgnoreMail;
    options.ignoreLinks = m_ctx.settings.spellIgnoreLinks;
    EditorSpellHost host(ed, m_spellDialog, m_window, [this](const QString &word) {
        QString error;
        if (!personalWords().add(word, &error))
            m_ctx.prompt().error(error);
    });
    const SpellCheckOutcome outcome =
        spellCheck(ed->sourceDocument().text(), *engine, host, m_ctx.prompt(), options);

    m_spellDialog->hide();
    QApplication::restoreOverrideCursor();
    m_spellCheck->setEnabled(true);
    if (!guard)
        return; // the document was closed meanwhile
    ed->setFocus();
    ed->setSelection(qMin(selStart, ed->sourceDocument().textLength()), selLength);
    ed->setTopLine(top);
    ed->endUpdate();
    if (host.textChangedMeanwhile())
        m_ctx.prompt().information(SpellTexts::TextChangedMeanwhile);
    else if (outcome == SpellCheckOutcome::Completed)
        m_ctx.prompt().information(SpellTexts::Completed);
    if (guard && ed->sourceDocument().colorCoding())
        ed->sourceDocument().colorCodeLines(0, SourceDocument::LastLine);
}

SpellCheckDialog *ToolCommands::spellCheckDialog() const { return m_spellDialog; }

PersonalWords ToolCommands::personalWords() const {
    return PersonalWords(QDir(m_ctx.paths.dataDir).filePath(QLatin1String(PersonalWordsName)));
}
