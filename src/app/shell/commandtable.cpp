#include "shell/commandtable.h"

namespace {

CommandSpec cmd(const char *id, const QString &text = QString()) {
    CommandSpec c;
    c.id = QLatin1String(id);
    if (!text.isEmpty())
        c.texts << text;
    return c;
}

} // namespace

const QVector<CommandSpec> &commandTable() {
    using C = CommandSpec;
    static const QVector<CommandSpec> table = {
        // File
        cmd("actionNew", "&New...").key(QKeySequence::New).withIcon("new").tip("New"),
        cmd("actionOpen", "&Open...").key(QKeySequence::Open).withIcon("open").tip("Open"),
        cmd("actionSave", "&Save").key(Qt::CTRL | Qt::Key_S).withIcon("save").tip("Save"),
        cmd("actionSaveAs", "Save &As..."),
        cmd("actionSaveAll", "Save All"),
        cmd("actionExportUnix", "&Export to Unix file..."),
        cmd("actionPrint", "&Print...").key(QKeySequence::Print),
        cmd("actionPrintNow", "Print").withIcon("print").tip("Print"),
        cmd("actionPreferences", "P&references...").key(QKeySequence::Preferences),
        cmd("actionClose", "&Close").key(Qt::CTRL | Qt::Key_W),
        cmd("actionCloseAll", "C&lose All"),
        cmd("actionExit", "E&xit").key(QKeySequence::Quit),

        // Edit
        cmd("actionUndo", "&Undo").key(QKeySequence::Undo),
        // Ctrl+Y as on most desktops, Ctrl+Shift+Z as the others have it.
        cmd("actionRedo", "&Redo").key(Qt::CTRL | Qt::Key_Y)
            .key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        cmd("actionCut", "Cu&t").key(QKeySequence::Cut),
        cmd("actionCopy", "&Copy").key(QKeySequence::Copy),
        cmd("actionPaste", "&Paste").key(QKeySequence::Paste),
        cmd("actionDelete", "&Delete"),
        cmd("actionSelectAll", "Select &All").key(QKeySequence::SelectAll),
        cmd("actionIndent", "&Ident").key(Qt::CTRL | Qt::Key_Insert).withIcon("indent")
            .tip("Ident"),
        cmd("actionUnindent", "U&nident").key(Qt::CTRL | Qt::Key_Delete)
            .withIcon("unindent").tip("Unident"),
        cmd("actionStripTags", "&Strip all tags"),

        // Search
        cmd("actionFind", "&Find...").key(Qt::CTRL | Qt::Key_F).withIcon("find")
            .tip("Find"),
        cmd("actionReplace", "&Replace...").key(Qt::CTRL | Qt::Key_R).withIcon("replace")
            .tip("Replace"),
        cmd("actionGoToLine", "&Go to Line...").key(Qt::CTRL | Qt::Key_G),

        // View
        cmd("actionInternalViewer", "&Internal HTML Viewer").states({"Back to Ed&itor",
                                                                    "&Internal HTML View"})
            .key(Qt::SHIFT | Qt::Key_F1),
        // The page beside its source, following every edit; F12 is free of other commands.
        cmd("actionLivePreview", "&Live Preview").key(Qt::Key_F12).withIcon("preview-live")
            .tip("Live Preview").flag(C::Checkable),
        cmd("actionExternalDefault", "&External HTML Viewer (default)")
            .key(Qt::SHIFT | Qt::Key_F2),
        cmd("actionExternalSecondary", "E&xternal HTML Viewer (secondary)")
            .key(Qt::ALT | Qt::SHIFT | Qt::Key_F2),
        cmd("actionRedoColorCoding", "&Redo Color Coding").key(Qt::SHIFT | Qt::Key_F3),
        cmd("actionSmallScreen", "&Small Screen"),
        cmd("actionWideScreen", "&Wide Screen"),
        cmd("actionFullScreen", "&Full Screen"),
        cmd("actionDockToolbar", "Un&dock toolbar").states({"&Dock toolbar"}),

        // More Tags
        cmd("imageAction", "&Image...").withIcon("image").tip("Inline Image"),
        cmd("linkAction", "&Link...").withIcon("link").tip("Link"),
        cmd("anchorAction", "&Anchor...").withIcon("anchor").tip("Anchor"),
        cmd("mailLinkAction", "E-&Mail link...").withIcon("mail").tip("E-Mail link"),
        cmd("embedAction", "Em&bed multimedia...").withIcon("embed")
            .tip("Embed multimedia document"),
        cmd("pagePropertiesAction", "&Page properties...").withIcon("page-properties")
            .tip("HTML page properties"),
        cmd("colorAction", "&Color...").withIcon("color").tip("Color Selection"),
        cmd("actionTableEditor", "Table &Editor..."),
        cmd("actionFrameWizard", "&Frame Wizard..."),

        // Tools
        cmd("actionTextConversion", "Te&xt conversion..."),
        cmd("actionCheckSpelling", "Check spe&lling").key(Qt::Key_F7),
        // Beside spelling's F7.
        cmd("actionCheckPage", "Check &page").key(Qt::SHIFT | Qt::Key_F7)
            .withIcon("check-page").tip("Check page"),
        cmd("actionFileDependencies", "&File dependencies..."),
        cmd("actionMultiFileReplace", "&Multiple file search/replace..."),
        cmd("actionTagWizard", "&Tag Wizard...").key(Qt::CTRL | Qt::Key_T)
            .withIcon("tag-wizard").flag(C::ApplicationKey),
        cmd("actionJavaScripts", "&JavaScripts..."),
        cmd("actionDeletePreviousLinks", "Delete 'Prev. used &links'"),
        cmd("actionDeletePreviousImages", "Delete 'Prev. used &images'"),
        cmd("actionDeletePreviousColors", "Delete 'Prev. used &colors'"),
        cmd("actionDeleteAllPreviousLists", "Delete &all"),

        // Help
        cmd("actionHelpContents", "&Contents").key(Qt::Key_F1),
        cmd("actionTipOfTheDay", "&Tip of the Day"),
        cmd("actionAbout", "&About Marlo..."),

        // The editor's context menu: "Edit <...> tag..." takes its text from the selection; its
        // key acts through the twin on the window, whether or not the menu was opened.
        cmd("editTagAction", "Edit this Tag").key(Qt::CTRL | Qt::Key_E)
            .flag(C::KeyShownOnly),
        cmd("editTagKey").key(Qt::CTRL | Qt::Key_E).flag(C::OnWindow),
        cmd("contextCut", "Cut").twin("actionCut"),
        cmd("contextCopy", "Copy").twin("actionCopy"),
        cmd("contextPaste", "Paste").twin("actionPaste"),
        cmd("contextDelete", "Delete").twin("actionDelete"),
        cmd("contextSelectAll", "Select All").twin("actionSelectAll"),
        cmd("contextInternalViewer", "Internal HTML viewer").twin("actionInternalViewer"),
        cmd("contextExternalViewer", "External HTML viewer").twin("actionExternalDefault"),
        cmd("contextRedoColorCoding", "Redo Color Coding").twin("actionRedoColorCoding"),
        cmd("contextClose", "Close").twin("actionClose"),

        // The tag toolbar's context menu and the viewer's
        cmd("contextDockToolbar", "Undock toolbar").states({"Dock toolbar"}),
        cmd("actionSmallWindow", "Small Window"),
        cmd("actionWideWindow", "Wide Window"),
        cmd("actionFullWindow", "Full Window"),
        cmd("viewerBackToEditor", "Back to editor [Esc]"),
        cmd("viewerReload", "Reload"),

        // The file panel's list
        cmd("panelCopy", "Copy..."),
        cmd("panelMove", "Move..."),
        cmd("panelDelete", "Delete").key(QKeySequence::Delete).flag(C::KeyShownOnly),
        cmd("panelView", "View..."),
        cmd("panelOpenDefault", "Open in default application"),
        cmd("showHtml", "Show HTML files").flag(C::Checkable),
        cmd("showImages", "Show Image files").flag(C::Checkable),
        cmd("showMultimedia", "Show Multimedia files").flag(C::Checkable),
        cmd("panelRefresh", "Refresh"),
        // The Delete key on the list works whatever the popup's state.
        cmd("panelDeleteKey").key(QKeySequence::Delete).flag(C::WidgetKey),
        // Shift+F10 opens the list's popup menu at the selected file, as the Menu key does.
        cmd("panelMenuKey").key(Qt::SHIFT | Qt::Key_F10).flag(C::WidgetKey),

        // The buttons beside the file buttons
        cmd("internalViewerButton").withIcon("preview-internal")
            .tip("Internal HTML Viewer").tip("Back to HTML Editor").tip("Internal HTML View"),
        cmd("externalViewerButton").withIcon("preview-external").tip("External HTML Viewer"),
        cmd("layoutButton").withIcon("cabinet-open").tip("Show or hide the file panel"),
        cmd("fullScreenButton").withIcon("fullscreen").tip("Full screen"),

        // Buttons of the tag toolbar's pages
        cmd("tagsPageWizardButton").withIcon("tag-wizard").tip("Tag Wizard"),
        cmd("tagsPageHelpButton").withIcon("help").tip("Help on HTML-Tag"),
        cmd("attributesPageWizardButton").withIcon("tag-wizard").tip("Tag Wizard"),
        cmd("attributesPageHelpButton").withIcon("help").tip("Help on HTML-Tag"),
        cmd("imageButton").withIcon("image").tip("Inline Image"),
        cmd("linkButton").withIcon("link").tip("Link"),
        cmd("anchorButton").withIcon("anchor").tip("Anchor"),
        cmd("mailLinkButton").withIcon("mail").tip("E-Mail link"),
        cmd("embedButton").withIcon("embed").tip("Embed multimedia document"),
        cmd("pagePropertiesButton").withIcon("page-properties").tip("HTML page properties"),
        cmd("colorButton").withIcon("color").tip("Color Selection"),
        cmd("dateTimeButton").withIcon("datetime").tip("Date/Time").popsUp("dateTimeMenu"),
        cmd("tableEditorButton").withIcon("table-editor").tip("Table Editor"),
        cmd("quickTableButton").withIcon("quick-table").tip("Quick Table"),
        cmd("quickListButton").withIcon("quick-list").tip("Quick List"),
        cmd("quickDefinitionListButton").withIcon("definition-list").tip("Quick Definition List"),
        cmd("quickFontButton").withIcon("font").tip("Quick font"),
        cmd("baseFontButton").withIcon("basefont").tip("Basefont size"),
        cmd("formButton").withIcon("form").tip("Form"),
        cmd("textInputButton").withIcon("textbox").tip("Textbox"),
        cmd("textAreaButton").withIcon("textarea").tip("Textarea"),
        cmd("checkboxButton").withIcon("checkbox").tip("Checkbox"),
        cmd("radioButtonButton").withIcon("radio").tip("Radio button"),
        cmd("dropDownListButton").withIcon("dropdown").tip("Dropdown list"),
        cmd("customButtonsButton", "...").tip("Setup custom buttons"),
    };
    return table;
}

const QVector<MenuSpec> &menuTable() {
    static const QVector<MenuSpec> table = {
        {"menuFile",
         "&File",
         {"actionNew", "actionOpen", "actionSave", "actionSaveAs", "actionSaveAll",
          "actionExportUnix", "-", "actionPrint", "-", "actionPreferences", "-", "actionClose",
          "actionCloseAll", "-", "actionExit", "@recentFiles"}},
        {"menuEdit",
         "&Edit",
         {"actionUndo", "actionRedo", "-", "actionCut", "actionCopy", "actionPaste",
          "actionDelete", "-", "actionSelectAll", "-", "actionIndent", "actionUnindent", "-",
          "actionStripTags"}},
        {"menuSearch", "&Search", {"actionFind", "actionReplace", "actionGoToLine"}},
        {"menuView",
         "&View",
         {"actionInternalViewer", "actionLivePreview", "actionExternalDefault",
          "actionExternalSecondary", "-",
          "actionRedoColorCoding", "-", "actionSmallScreen", "actionWideScreen",
          "actionFullScreen", "-", "actionDockToolbar"}},
        {"menuTags", "&Tags", {"@wrapCommands"}},
        {"menuMoreTags",
         "&More Tags",
         {"imageAction", "linkAction", "anchorAction", "mailLinkAction", "embedAction", "-",
          "pagePropertiesAction", "colorAction", "actionTableEditor", "actionFrameWizard"}},
        {"menuTools",
         "T&ools",
         {"actionTextConversion", "actionCheckSpelling", "actionCheckPage",
          "menuApplicationLauncher", "actionFileDependencies", "actionMultiFileReplace", "-",
          "actionTagWizard", "actionJavaScripts", "deletePreviousListsMenu"}},
        {"menuHelp", "&Help", {"actionHelpContents", "actionTipOfTheDay", "-", "actionAbout"}},

        {"menuApplicationLauncher", "&Application Launcher", {"@launcherItems"}},
        {"deletePreviousListsMenu",
         "&Delete previous-lists",
         {"actionDeletePreviousLinks", "actionDeletePreviousImages",
          "actionDeletePreviousColors", "actionDeleteAllPreviousLists"}},
        {"previousLinksMenu", "Prev. Links", {"@previousLinks"}},
        {"previousImagesMenu", "Prev. Images", {"@previousImages"}},
        {"dateTimeMenu", "", {"@dateTimeItems"}},

        // The leading separator collapses while "Edit <...> tag..." is hidden.
        {"editorMenu",
         "",
         {"editTagAction", "-", "contextCut", "contextCopy", "contextPaste", "contextDelete",
          "contextSelectAll", "-", "previousLinksMenu", "previousImagesMenu", "-",
          "contextInternalViewer", "contextExternalViewer", "contextRedoColorCoding", "-",
          "contextClose"}},
        {"tagToolbarMenu",
         "",
         {"contextDockToolbar", "-", "actionSmallWindow", "actionWideWindow",
          "actionFullWindow"}},
        {"viewerMenu",
         "",
         {"viewerBackToEditor", "viewerReload", "-", "actionFullWindow", "actionWideWindow",
          "actionSmallWindow"}},
        {"filePanelMenu",
         "",
         {"panelCopy", "panelMove", "panelDelete", "panelView", "panelOpenDefault", "-",
          "showHtml", "showImages", "showMultimedia", "panelRefresh"}},
    };
    return table;
}

const QStringList &menuBarMenus() {
    static const QStringList menus = {"menuFile", "menuEdit",     "menuSearch", "menuView",
                                      "menuTags", "menuMoreTags", "menuTools",  "menuHelp"};
    return menus;
}

const QStringList &fileButtonRow() {
    static const QStringList row = {
        "actionNew",           "actionOpen",        "actionSave",           "actionPrintNow",
        "|",                   "actionFind",        "actionReplace",        "actionIndent",
        "actionUnindent",      "actionCheckPage",   "|",                    "internalViewerButton",
        "actionLivePreview",   "externalViewerButton", "|",                 "layoutButton",
        "fullScreenButton"};
    return row;
}

const QVector<ToolbarPlace> &tagToolbarButtons() {
    static const QVector<ToolbarPlace> places = {
        {TagPage::Common, "imageButton"},
        {TagPage::Common, "linkButton"},
        {TagPage::Common, "anchorButton"},
        {TagPage::Common, "mailLinkButton"},
        {TagPage::Common, "embedButton"},
        {TagPage::Common, "pagePropertiesButton"},
        {TagPage::Common, "colorButton"},
        {TagPage::Additional, "dateTimeButton"},
        {TagPage::Additional, "tableEditorButton"},
        {TagPage::Additional, "quickTableButton"},
        {TagPage::Additional, "quickListButton"},
        {TagPage::Additional, "quickDefinitionListButton"},
        {TagPage::Fonts, "quickFontButton"},
        {TagPage::Fonts, "baseFontButton"},
        {TagPage::Forms, "formButton"},
        {TagPage::Forms, "textInputButton"},
        {TagPage::Forms, "textAreaButton"},
        {TagPage::Forms, "checkboxButton"},
        {TagPage::Forms, "radioButtonButton"},
        {TagPage::Forms, "dropDownListButton"},
        {TagPage::Tags, "tagsPageWizardButton"},
        {TagPage::Tags, "tagsPageHelpButton"},
        {TagPage::AllAttributes, "attributesPageWizardButton"},
        {TagPage::AllAttributes, "attributesPageHelpButton"},
        {TagPage::User, "customButtonsButton"},
    };
    return places;
}

const CommandSpec *findCommand(const QString &id) {
    for (const CommandSpec &c : commandTable())
        if (c.id == id)
            return &c;
    return nullptr;
}

const MenuSpec *findMenu(const QString &id) {
    for (const MenuSpec &m : menuTable())
        if (m.id == id)
            return &m;
    return nullptr;
}
