#include "widgets/icons.h"

#include <QFile>

namespace {

struct IconName {
    const char *name;
    const char *themeName; // freedesktop icon name, or nullptr where no standard one fits
};

// Only names whose standard meaning matches the command get a theme lookup; the program's
// own pictures (cabinets, tag tools, form buttons ...) have no freedesktop equivalent.
const IconName IconNames[] = {
    {"new", "document-new"},
    {"open", "document-open"},
    {"save", "document-save"},
    {"saveall", "document-save-all"},
    {"print", "document-print"},
    {"find", "edit-find"},
    {"replace", "edit-find-replace"},
    {"check-page", nullptr},
    {"indent", "format-indent-more"},
    {"unindent", "format-indent-less"},
    {"preview-internal", nullptr},
    {"preview-live", nullptr},
    {"preview-external", "internet-web-browser"},
    {"cabinet-open", nullptr},
    {"cabinet-shut", nullptr},
    {"fullscreen", "view-fullscreen"},
    {"paragraph", nullptr},
    {"center", "format-justify-center"},
    {"align-right", "format-justify-right"},
    {"hrule", nullptr},
    {"comment", nullptr},
    {"imagemap", nullptr},
    {"datetime", nullptr},
    {"submit", nullptr},
    {"reset", nullptr},
    {"insert-tag", nullptr},
    {"tag-wizard", nullptr},
    {"file-page", "text-html"},
    {"file-page-secondary", nullptr},
    {"file-image", "image-x-generic"},
    {"file-media", "audio-x-generic"},
    {"help", "help-contents"},
    {"back", "go-previous"},
    {"forward", "go-next"},
    {"reload", "view-refresh"},
    {"close", "window-close"},
    {"undo", "edit-undo"},
    {"cut", "edit-cut"},
    {"copy", "edit-copy"},
    {"paste", "edit-paste"},
    {"image", "insert-image"},
    {"link", "insert-link"},
    {"anchor", nullptr},
    {"mail", "mail-message-new"},
    {"embed", nullptr},
    {"page-properties", "document-properties"},
    {"color", "color-picker"},
    {"table-editor", nullptr},
    {"quick-table", nullptr},
    {"quick-list", nullptr},
    {"definition-list", nullptr},
    {"font", nullptr},
    {"basefont", nullptr},
    {"form", nullptr},
    {"textbox", nullptr},
    {"textarea", nullptr},
    {"checkbox", nullptr},
    {"radio", nullptr},
    {"dropdown", nullptr},
};

const IconName *find(const QString &name) {
    for (const IconName &entry : IconNames) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

} // namespace

// Q_INIT_RESOURCE must be used outside any namespace.
static bool registerMarloResources() {
    Q_INIT_RESOURCE(marlo);
    return true;
}

void ensureMarloResources() {
    static const bool registered = registerMarloResources();
    Q_UNUSED(registered);
}

QString marloIconPath(const QString &name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QStringList marloIconNames() {
    QStringList names;
    for (const IconName &entry : IconNames)
        names.append(QString::fromLatin1(entry.name));
    return names;
}

QIcon marloIcon(const QString &name) {
    const IconName *entry = find(name);
    if (!entry)
        return QIcon();
    ensureMarloResources();
    const QString path = marloIconPath(name);
    QIcon own = QFile::exists(path) ? QIcon(path) : QIcon();
    if (entry->themeName && QIcon::hasThemeIcon(QLatin1String(entry->themeName)))
        return QIcon::fromTheme(QLatin1String(entry->themeName), own);
    return own;
}
