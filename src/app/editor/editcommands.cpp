#include "editor/editcommands.h"

#include "editor/documentaccess.h"
#include "editor/editoperations.h"
#include "editor/editortexts.h"
#include "editor/sourceeditor.h"
#include "editor/tagtables.h"
#include "editor/tagtoolbar.h"
#include "editor/textconversiondialog.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "tools/recentlists.h"
#include "tools/tooltexts.h"
#include "widgets/icons.h"
#include "text/plaintext.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QTextDocument>

namespace {

// The editor claims Ctrl+Ins (copy), Ctrl+Del (delete word) and Shift+Enter (line separator)
// for itself; here they are the indent, unindent and paragraph commands, so their shortcut
// events are passed on to the window.
class CommandKeysFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
            const bool command =
                (mods == Qt::ControlModifier &&
                 (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete)) ||
                (mods == Qt::ShiftModifier &&
                 (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter));
            if (command) {
                // Unaccepted, the override lets the window's shortcut run; a key press that
                // still arrives (no shortcut took it) is dropped rather than typed.
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

EditCommands::EditCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                           QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    addEditCommands(commands);
    addWrapCommands(commands);
    addDateTimeItems(commands);
    addPreviousLists(commands);
    addDeleteListsCommands(commands);

    auto *filter = new CommandKeysFilter(this);
    connect(&m_docs, &DocumentAccess::documentOpened, this,
            [filter](SourceDocument &doc) { doc.activeView()->installEventFilter(filter); });
    for (SourceDocument *doc : m_docs.documents())
        doc->activeView()->installEventFilter(filter);
    connect(&m_ctx.insertions, &InsertionChannel::insertionArrived, this,
            &EditCommands::insertHandedOver);
    connect(&m_ctx.insertions, &InsertionChannel::blockArrived, this,
            &EditCommands::insertHandedOverBlock);
    connect(&m_docs, &DocumentAccess::editorRightButtonPressed, this,
            &EditCommands::refreshPreviousLists);
}

void EditCommands::addEditCommands(ActionRegistry &commands) {
    commands.add(QStringLiteral("actionUndo"), this, [this] { view().undo(); });
    m_redo = commands.add(QStringLiteral("actionRedo"), this, [this] { view().redo(); });
    connect(&m_docs, &DocumentAccess::currentDocumentChanged, this, &EditCommands::followRedo);
    followRedo(m_docs.current());
    commands.add(QStringLiteral("actionCut"), this, [this] { view().cut(); });
    commands.add(QStringLiteral("actionCopy"), this, [this] { view().copy(); });
    commands.add(QStringLiteral("actionPaste"), this, [this] { view().paste(); });
    commands.add(QStringLiteral("actionDelete"), this,
                 [this] { view().replaceSelection(QString()); });
    commands.add(QStringLiteral("actionSelectAll"), this, [this] {
        view().selectAll();
        view().setFocus();
    });
    commands.add(QStringLiteral("actionIndent"), this, [this] { indentLines(view()); });
    commands.add(QStringLiteral("actionUnindent"), this, [this] { unindentLines(view()); });
    commands.add(QStringLiteral("actionStripTags"), this, &EditCommands::stripAllTags);
    commands.add(QStringLiteral("actionTextConversion"), this,
                 &EditCommands::openTextConversion);
    commands.add(QStringLiteral("actionRedoColorCoding"), this,
                 [this] { view().redoColorCoding(); });
}

void EditCommands::addWrapCommands(ActionRegistry &commands) {
    // The Tags menu: the wrap commands of the tag tables that have a menu text.
    QList<QAction *> items;
    for (const WrapCommand &c : wrapCommands()) {
        if (c.menuText.isEmpty())
            continue;
        auto *a = new QAction(c.menuText, this);
        a->setObjectName(QStringLiteral("actionTag") +
                         c.menuText.simplified().remove(QLatin1Char(' ')));
        if (!c.shortcut.isEmpty())
            a->setShortcut(c.shortcut);
        const QString start = c.startText;
        const QString end = c.endText;
        connect(a, &QAction::triggered, this, [this, start, end] { wrap(start, end); });
        items.append(a);
        if (c.endsMenuGroup) {
            auto *separator = new QAction(this);
            separator->setSeparator(true);
            items.append(separator);
        }
    }
    commands.addGroup(QStringLiteral("wrapCommands"), items);
}

SourceEditor &EditCommands::view() const { return m_docs.currentView(); }

void EditCommands::followRedo(SourceDocument &doc) {
    disconnect(m_redoFollows);
    m_redo->setEnabled(doc.textDocument()->isRedoAvailable());
    m_redoFollows = connect(doc.textDocument(), &QTextDocument::redoAvailable, m_redo,
                            &QAction::setEnabled);
}

void EditCommands::wrap(const QString &startText, const QString &endText) {
    wrapSelection(view(), startText, endText, m_ctx.settings.convertSlashes);
}

void EditCommands::insertHandedOver(PendingInsertion insertion) {
    applyPendingInsertion(view(), insertion, m_ctx.settings.convertSlashes);
}

void EditCommands::insertHandedOverBlock(PendingBlock block) {
    applyPendingBlock(view(), block);
}

void EditCommands::connectToolbar(TagToolbar *toolbar) {
    connect(toolbar, &TagToolbar::wrapRequested, this, &EditCommands::wrap);
    connect(toolbar, &TagToolbar::userButtonClicked, this, [this](int i) {
        wrap(m_ctx.settings.buttonStartTexts[i], m_ctx.settings.buttonEndTexts[i]);
    });
}

void EditCommands::stripAllTags() {
    const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
        Prompts::Kind::Confirmation, EditorTexts::ConfirmStripAllTags);
    if (answer != Prompts::Answer::Yes)
        return;
    ::stripAllTags(view());
}

void EditCommands::openTextConversion() {
    // The dialog hides itself before it asks for the conversion and closes afterwards.
    auto *dialog = new TextConversionDialog(m_window);
    connect(dialog, &TextConversionDialog::conversionRequested, this,
            [this](const TextConversionOptions &options) {
                const int count = convertText(view(), options); // recolours the text too
                m_ctx.prompt().information(EditorTexts::conversionsMade(count));
            });
    connect(dialog, &QDialog::rejected, this, [this] { view().setFocus(); });
    dialog->show();
}

void EditCommands::addDateTimeItems(ActionRegistry &commands) {
    // The Date/Time button's menu: the date and time in four forms, as of the moment it opens.
    QList<QAction *> items;
    for (size_t i = 0; i < m_dateTimeItems.size(); ++i) {
        auto *a = new QAction(this);
        connect(a, &QAction::triggered, this, [this, a] { wrap(a->data().toString(), QString()); });
        m_dateTimeItems[i] = a;
        items << a;
    }
    commands.addGroup(QStringLiteral("dateTimeItems"), items);
    commands.addButton(QStringLiteral("dateTimeButton"));
    commands.onMenuShow(QStringLiteral("dateTimeMenu"), this, [this] {
        const QLocale locale = QLocale::system();
        const QDateTime now = QDateTime::currentDateTime();
        const QString shortDate = locale.toString(now.date(), QLocale::ShortFormat);
        const QString longDate = locale.toString(now.date(), QStringLiteral("dddd, d. MMMM yyyy"));
        const QString time = now.time().toString(QStringLiteral("hh:mm"));
        const QStringList captions = {shortDate, longDate,
                                      shortDate + QStringLiteral(", ") + time,
                                      longDate + QStringLiteral(", ") + time};
        for (size_t i = 0; i < m_dateTimeItems.size(); ++i) {
            m_dateTimeItems[i]->setText(escapeAmpersands(captions[int(i)]));
            m_dateTimeItems[i]->setData(captions[int(i)]);
        }
    });
}

void EditCommands::addPreviousLists(ActionRegistry &commands) {
    QList<QAction *> links;
    QList<QAction *> images;
    for (int i = 0; i < AppSettings::PreviousListSize; ++i) {
        m_linkItems[i] = new QAction(this);
        m_imageItems[i] = new QAction(this);
        links << m_linkItems[i];
        images << m_imageItems[i];
        for (QAction *a : {m_linkItems[i], m_imageItems[i]})
            connect(a, &QAction::triggered, this,
                    [this, a] { insertPrevious(a->data().toString()); });
    }
    commands.addGroup(QStringLiteral("previousLinks"), links);
    commands.addGroup(QStringLiteral("previousImages"), images);
    // The first item always stays, showing "[empty]" for an empty list.
    auto showUsed = [](const std::array<QAction *, AppSettings::PreviousListSize> &items) {
        for (int i = 0; i < AppSettings::PreviousListSize; ++i)
            items[i]->setVisible(i == 0 || items[i]->data().toString() != MarkerEmpty);
    };
    commands.onMenuShow(QStringLiteral("previousLinksMenu"), this,
                        [this, showUsed] { showUsed(m_linkItems); });
    commands.onMenuShow(QStringLiteral("previousImagesMenu"), this,
                        [this, showUsed] { showUsed(m_imageItems); });
    refreshPreviousLists();
}

void EditCommands::refreshPreviousLists() {
    const AppSettings &s = m_ctx.settings;
    for (int i = 0; i < AppSettings::PreviousListSize; ++i) {
        m_linkItems[i]->setText(escapeAmpersands(s.previousLinks[i]));
        m_linkItems[i]->setData(s.previousLinks[i]);
        m_imageItems[i]->setText(escapeAmpersands(s.previousImages[i]));
        m_imageItems[i]->setData(s.previousImages[i]);
    }
}

void EditCommands::insertPrevious(const QString &entry) {
    wrap(makeReference(entry, m_ctx.settings, m_docs.current().fileName()), QString());
}

void EditCommands::addDeleteListsCommands(ActionRegistry &commands) {
    struct Entry {
        const char *id;
        QString question;
        void (*clear)(AppSettings &);
    };
    const Entry entries[] = {
        {"actionDeletePreviousLinks", ToolTexts::ConfirmDeleteLinks, &clearRecentLinks},
        {"actionDeletePreviousImages", ToolTexts::ConfirmDeleteImages, &clearRecentImages},
        {"actionDeletePreviousColors", ToolTexts::ConfirmDeleteColors, &clearRecentColors},
        {"actionDeleteAllPreviousLists", ToolTexts::ConfirmDeleteAllLists,
         [](AppSettings &s) {
             clearRecentLinks(s);
             clearRecentImages(s);
             clearRecentColors(s);
         }},
    };
    for (const Entry &e : entries) {
        commands.add(QLatin1String(e.id), this, [this, e] {
            const Prompts::Answer answer =
                m_ctx.prompt().askYesNoCancel(Prompts::Kind::Information, e.question);
            if (answer == Prompts::Answer::Yes) {
                e.clear(m_ctx.settings);
                saveSettings(m_ctx);
                refreshPreviousLists();
            }
            view().setFocus();
        });
    }
}
