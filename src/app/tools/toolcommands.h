// The Tools commands: preferences, the user buttons' editor, the application launcher and the
// spell check of the current document. The main window creates one and connects its signals
// to the parts of the window the settings touch.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <memory>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class HunspellSpeller;
class PersonalWords;
class QAction;
class QWidget;
class SpellCheckDialog;

class ToolCommands : public QObject {
    Q_OBJECT
public:
    ToolCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands, QWidget *window);
    ~ToolCommands() override;

    void openPreferences();
    void openCustomButtons();
    // Starts the program of launcher slot 0..3; false when the slot is free or it failed.
    bool startLauncherSlot(int slot);
    void checkSpelling();
    // The spell check's window (created at the first check).
    SpellCheckDialog *spellCheckDialog() const;

Q_SIGNALS:
    // Immediately on every change of the preferences' backup box or minutes, and after OK.
    void backupSettingsChanged(bool enabled, int minutes);
    // After OK: the editors take the font, colours and word wrap of the settings.
    void editorSettingsChanged();
    // After OK: the file panel's mask and colours.
    void fileListSettingsChanged();
    void userButtonCaptionsChanged();
    void helpRequested(const QString &topic);

private:
    void updateLauncherMenu();
    HunspellSpeller *speller();
    // The user's word list ("Add to dictionary") in the data folder.
    PersonalWords personalWords() const;

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    QWidget *m_window;
    QAction *m_spellCheck;
    std::array<QAction *, 4> m_launcherItems{};
    QPointer<SpellCheckDialog> m_spellDialog;
    std::unique_ptr<HunspellSpeller> m_speller; // its ignore and replace lists last the run
    bool m_spellerTried = false;
};
