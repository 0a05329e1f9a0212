#include "editor/editorprovider.h"
#include "editor/editcommands.h"

#include "editor/editoperations.h"
#include "editor/sourceeditor.h"
#include "editor/tagtables.h"
#include "editor/tagtoolbar.h"
#include "editor/textconversiondialog.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "tools/recentlists.h"
#include "widgets/icons.h"
#include "text/plaintext.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
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

EditCommands::EditCommands(AppContext &ctx, EditorProvider &docs, QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    m_undo = makeAction(QStringLiteral("&Undo"), QStringLiteral("actionUndo"), QKeySequence::Undo);
    m_redo = makeAction(QStringLiteral("&Redo"), QStringLiteral("actionRedo"));
    // Ctrl+Y as on most desktops, Ctrl+Shift+Z as the others have it.
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_cut = makeAction(QStringLiteral("Cu&t"), QStringLiteral("actionCut"), QKeySequence::Cut);
    m_copy = makeAction(QStringLiteral("&Copy"), QStringLiteral("actionCopy"), QKeySequence::Copy);
    m_paste =
        makeAction(QStringLiteral("&Paste"), QStringLiteral("actionPaste"), QKeySequence::Paste);
    m_delete = makeAction(QStringLiteral("&Delete"), QStringLiteral("actionDelete"));
    m_selectAll = makeAction(QStringLiteral("Select &All"), QStringLiteral("actionSelectAll"),
                             QKeySequence::SelectAll);
    m_indent = makeAction(QStringLiteral("&Ident"), QStringLiteral("actionIndent"),
                          QKeySequence(Qt::CTRL | Qt::Key_Insert));
    m_unindent = makeAction(QStringLiteral("U&nident"), QStringLiteral("actionUnindent"),
                            QKeySequence(Qt::CTRL | Qt::Key_Delete));
    m_stripTags = makeAction(QStringLiteral("&Strip all tags"), QStringLiteral("actionStripTags"));
    m_textConversion =
        makeAction(QStringLiteral("Te&xt conversion..."), QStringLiteral("actionTextConversion"));
    m_redoColorCoding =
        makeAction(QStringLiteral("&Redo Color Coding"), QStringLiteral("actionRedoColorCoding"),
                   QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m_indent->setIcon(marloIcon(QStringLiteral("indent")));
    m_unindent->setIcon(marloIcon(QStringLiteral("unindent")));

    connect(m_undo, &QAction::triggered, this, [this] { editor()->undo(); });
    connect(m_redo, &QAction::triggered, this, [this] { editor()->redo(); });
    connect(&m_docs, &EditorProvider::currentEditorChanged, this, &EditCommands::followRedo);
    followRedo(editor());
    connect(m_cut, &QAction::triggered, this, [this] { editor()->cut(); });
    connect(m_copy, &QAction::triggered, this, [this] { editor()->copy(); });
    connect(m_paste, &QAction::triggered, this, [this] { editor()->paste(); });
    connect(m_delete, &QAction::triggered, this, [this] { editor()->replaceSelection(QString()); });
    connect(m_selectAll, &QAction::triggered, this, [this] {
        editor()->selectAll();
        editor()->setFocus();
    });
    connect(m_indent, &QAction::triggered, this, [this] { indentLines(*editor()); });
    connect(m_unindent, &QAction::triggered, this, [this] { unindentLines(*editor()); });
    connect(m_stripTags, &QAction::triggered, this, &EditCommands::stripAllTags);
    connect(m_textConversion, &QAction::triggered, this, &EditCommands::openTextConversion);
    connect(m_redoColorCoding, &QAction::triggered, this, [this] { editor()->redoColorCoding(); });

    // The context menu has its own captions for the same commands.
    const QList<QPair<QString, QAction *>> twins = {{QStringLiteral("Cut"), m_cut},
                                                    {QStringLiteral("Copy"), m_copy},
                                                    {QStringLiteral("Paste"), m_paste},
                                                    {QStringLiteral("Delete"), m_delete},
                                                    {QStringLiteral("Select All"), m_selectAll}};
    for (const auto &twin : twins) {
        auto *a = new QAction(twin.first, this);
        connect(a, &QAction::triggered, twin.second, &QAction::trigger);
        m_contextActions.append(a);
    }

    for (const WrapCommand &c : wrapCommands()) {
        if (c.menuText.isEmpty())
            continue;
        QAction *a = makeAction(c.menuText, QStringLiteral("actionTag") + c.menuText.simplified()
                                                .remove(QLatin1Char(' ')),
                                c.shortcut);
        const QString start = c.startText;
        const QString end = c.endText;
        connect(a, &QAction::triggered, this, [this, start, end] { wrap(start, end); });
        m_tagActions.append(a);
        if (c.endsMenuGroup) {
            auto *separator = new QAction(this);
            separator->setSeparator(true);
            m_tagActions.append(separator);
        }
    }

    buildDateTimeMenu();
    buildPreviousLists();
    buildDeleteListsMenu();

    auto *filter = new CommandKeysFilter(this);
    connect(&m_docs, &EditorProvider::editorCreated, this,
            [filter](SourceEditor *ed) { ed->installEventFilter(filter); });
    for (SourceEditor *ed : m_docs.editors())
        ed->installEventFilter(filter);
    connect(&m_ctx.insertions, &InsertionChannel::insertionArrived, this,
            &EditCommands::insertHandedOver);
    connect(&m_ctx.insertions, &InsertionChannel::blockArrived, this,
            &EditCommands::insertHandedOverBlock);
    connect(&m_docs, &EditorProvider::editorRightButtonPressed, this,
            &EditCommands::refreshPreviousLists);
}

QAction *EditCommands::makeAction(const QString &text, const QString &name,
                                  const QKeySequence &key) {
    auto *a = new QAction(text, this);
    a->setObjectName(name);
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

SourceEditor *EditCommands::editor() const { return m_docs.currentEditor(); }

void EditCommands::followRedo(SourceEditor *ed) {
    disconnect(m_redoFollows);
    m_redo->setEnabled(ed && ed->document()->isRedoAvailable());
    if (ed)
        m_redoFollows = connect(ed->document(), &QTextDocument::redoAvailable, m_redo,
                                &QAction::setEnabled);
}

void EditCommands::wrap(const QString &startText, const QString &endText) {
    wrapSelection(*editor(), startText, endText, m_ctx.settings.convertSlashes);
}

void EditCommands::insertHandedOver(PendingInsertion insertion) {
    if (SourceEditor *ed = editor())
        applyPendingInsertion(*ed, insertion, m_ctx.settings.convertSlashes);
}

void EditCommands::insertHandedOverBlock(PendingBlock block) {
    if (SourceEditor *ed = editor())
        applyPendingBlock(*ed, block);
}

void EditCommands::connectToolbar(TagToolbar *toolbar) {
    connect(toolbar, &TagToolbar::wrapRequested, this, &EditCommands::wrap);
    connect(toolbar, &TagToolbar::userButtonClicked, this, [this](int i) {
        wrap(m_ctx.settings.buttonStartTexts[i], m_ctx.settings.buttonEndTexts[i]);
    });
    toolbar->setDateTimeMenu(m_dateTime);
}

void EditCommands::stripAllTags() {
    const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
        Prompts::Kind::Confirmation, QStringLiteral("Do you really want to strip all tags?"));
    if (answer != Prompts::Answer::Yes)
        return;
    ::stripAllTags(*editor());
}

void EditCommands::openTextConversion() {
    // The dialog hides itself before it asks for the conversion and closes afterwards.
    auto *dialog = new TextConversionDialog(m_window);
    connect(dialog, &TextConversionDialog::conversionRequested, this,
            [this](const TextConversionOptions &options) {
                const int count = convertText(*editor(), options); // recolours the text too
                m_ctx.prompt().information(
                    count == 0 ? QStringLiteral("No text conversions made.")
                               : QStringLiteral("Made %1 conversions.").arg(count));
            });
    connect(dialog, &QDialog::rejected, this, [this] { editor()->setFocus(); });
    dialog->show();
}

void EditCommands::buildDateTimeMenu() {
    m_dateTime = new QMenu(m_window);
    m_dateTime->setObjectName(QStringLiteral("dateTimeMenu"));
    for (int i = 0; i < 4; ++i) {
        QAction *a = m_dateTime->addAction(QString());
        connect(a, &QAction::triggered, this, [this, a] { wrap(a->data().toString(), QString()); });
    }
    connect(m_dateTime, &QMenu::aboutToShow, this, [this] {
        const QLocale locale = QLocale::system();
        const QDateTime now = QDateTime::currentDateTime();
        const QString shortDate = locale.toString(now.date(), QLocale::ShortFormat);
        const QString longDate = locale.toString(now.date(), QStringLiteral("dddd, d. MMMM yyyy"));
        const QString time = now.time().toString(QStringLiteral("hh:mm"));
        const QStringList captions = {shortDate, longDate,
                                      shortDate + QStringLiteral(", ") + time,
                                      longDate + QStringLiteral(", ") + time};
        const QList<QAction *> items = m_dateTime->actions();
        for (int i = 0; i < 4; ++i) {
            items[i]->setText(escapeAmpersands(captions[i]));
            items[i]->setData(captions[i]);
        }
    });
}

void EditCommands::buildPreviousLists() {
    m_prevLinks = new QMenu(QStringLiteral("Prev. Links"), m_window);
    m_prevLinks->setObjectName(QStringLiteral("previousLinksMenu"));
    m_prevImages = new QMenu(QStringLiteral("Prev. Images"), m_window);
    m_prevImages->setObjectName(QStringLiteral("previousImagesMenu"));
    for (int i = 0; i < AppSettings::PreviousListSize; ++i) {
        m_linkItems[i] = m_prevLinks->addAction(QString());
        m_imageItems[i] = m_prevImages->addAction(QString());
        for (QAction *a : {m_linkItems[i], m_imageItems[i]})
            connect(a, &QAction::triggered, this,
                    [this, a] { insertPrevious(a->data().toString()); });
    }
    // The first item always stays, showing "[empty]" for an empty list.
    auto showUsed = [](const std::array<QAction *, AppSettings::PreviousListSize> &items) {
        for (int i = 0; i < AppSettings::PreviousListSize; ++i)
            items[i]->setVisible(i == 0 || items[i]->data().toString() != MarkerEmpty);
    };
    connect(m_prevLinks, &QMenu::aboutToShow, this, [this, showUsed] { showUsed(m_linkItems); });
    connect(m_prevImages, &QMenu::aboutToShow, this, [this, showUsed] { showUsed(m_imageItems); });
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
    wrap(makeReference(entry, m_ctx.settings, m_docs.currentFileName()), QString());
}

void EditCommands::buildDeleteListsMenu() {
    m_deleteLists = new QMenu(QStringLiteral("&Delete previous-lists"), m_window);
    m_deleteLists->setObjectName(QStringLiteral("deletePreviousListsMenu"));
    struct Entry {
        QString text;
        QString question;
        void (*clear)(AppSettings &);
    };
    const QVector<Entry> entries = {
        {QStringLiteral("Delete 'Prev. used &links'"),
         QStringLiteral("Are you sure you want to delete the \"previously used link list\"?"),
         &clearRecentLinks},
        {QStringLiteral("Delete 'Prev. used &images'"),
         QStringLiteral("Are you sure you want to delete the \"previously used image list\"?"),
         &clearRecentImages},
        {QStringLiteral("Delete 'Prev. used &colors'"),
         QStringLiteral("Are you sure you want to delete the \"previously used colors list\"?"),
         &clearRecentColors},
        {QStringLiteral("Delete &all"),
         QStringLiteral("Are you sure you want to delete all \"previous lists\"?"),
         [](AppSettings &s) {
             clearRecentLinks(s);
             clearRecentImages(s);
             clearRecentColors(s);
         }},
    };
    for (const Entry &e : entries) {
        QAction *a = m_deleteLists->addAction(e.text);
        connect(a, &QAction::triggered, this, [this, e] {
            const Prompts::Answer answer =
                m_ctx.prompt().askYesNoCancel(Prompts::Kind::Information, e.question);
            if (answer == Prompts::Answer::Yes) {
                e.clear(m_ctx.settings);
                saveSettings(m_ctx);
                refreshPreviousLists();
            }
            editor()->setFocus();
        });
    }
}
