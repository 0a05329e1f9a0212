// What the file panel shows for a file: the size in whole kilobytes, the type text and icon, the
// last-change text, which files the show items let through, and which popup items apply.
#pragma once

#include <QDateTime>
#include <QList>
#include <QRegularExpression>
#include <QString>

struct AppSettings;

// Bytes as whole kilobytes, halves rounded to even; a non-empty file never shows 0 KB. A size
// that could not be read (negative) shows "???".
QString kilobyteText(qint64 bytes);

enum class FileIcon { None, PageDefaultBrowser, PageSecondaryBrowser, Image, Multimedia };

struct FileKind {
    QString typeText;
    FileIcon icon = FileIcon::None;
};

// The first of HTML page, web image, multimedia file that the name is, or an unknown file.
FileKind fileKind(const QString &fileName, const AppSettings &s);

// The file's last change as a date and minutes text ("unreadable" for an invalid time).
QString lastChangeText(const QDateTime &modified);

// Why the files of `folder` cannot be listed, in plain words; empty when they can. An empty list
// alone would look like an empty folder.
QString folderReadProblem(const QString &folder);

// The mask of the three show items, in their order: the HTML mask, the web images, the
// multimedia mask. Empty when none is checked.
QString panelFileMask(bool showHtml, bool showImages, bool showMultimedia, const AppSettings &s);
// Whether a file name matches one of the mask's ";"-separated wildcard patterns (case-insensitive).
// "*.htm" also lets ".html" through and "*.shtm" ".shtml", as the HTML mask has always meant.
bool matchesFileMask(const QString &fileName, const QString &mask);

// The same test with the patterns made once, for a whole folder: a folder of many thousands of
// files is listed without making every pattern again for every file.
class FileMask {
public:
    explicit FileMask(const QString &mask);
    bool matches(const QString &fileName) const;

private:
    QList<QRegularExpression> m_patterns;
};

// Which items of the file list's popup menu are enabled for the selected file.
struct PanelMenuState {
    bool copy = false;
    bool move = false;
    bool remove = false;
    bool view = false;
    bool openDefault = false;
};
// `fileName` is empty when no row is selected.
PanelMenuState panelMenuState(const QString &fileName, const AppSettings &s);

// The text a file dragged from the panel puts around the selection, by its type. A page becomes a
// link, a web image an image, a multimedia file an embedded object; any other file gives nothing.
struct DropInsertion {
    enum class Kind { None, Link, Image, Embed };
    Kind kind = Kind::None;
    QString startText;
    QString endText;
};
// `reference` is the file's reference text (makeReference of its full name).
DropInsertion dropInsertion(const QString &fileName, const QString &reference,
                            const AppSettings &s);
