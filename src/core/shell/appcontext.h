// What the whole program shares, owned by main() and handed to windows and dialogs by reference:
// the settings, the prompts channel, the folders, the pending insertion and the run's file lists.
#pragma once

#include "shell/appsettings.h"

#include <QSet>
#include <QString>
#include <QStringList>

class Prompts;

// Where the program keeps its files (see the platform notes in README.md).
struct AppPaths {
    QString configDir;  // holds Marlo.ini
    QString dataDir;    // holds Marlostanda.vtd
    QString installDir; // read-only share/marlo folder next to the executable
    QString settingsFile() const { return configDir + QStringLiteral("/Marlo.ini"); }
};

// A list of at most `capacity` distinct file names, filled front to back.
class FileNameList {
public:
    explicit FileNameList(int capacity = 100) : m_capacity(capacity) {}
    // Adds a name unless it is already there or the list is full; returns true when added.
    bool add(const QString &name) {
        if (name.isEmpty() || m_names.contains(name) || m_names.size() >= m_capacity)
            return false;
        m_names.append(name);
        return true;
    }
    void clear() { m_names.clear(); }
    bool isEmpty() const { return m_names.isEmpty(); }
    const QStringList &names() const { return m_names; }

private:
    int m_capacity;
    QStringList m_names;
};

struct PendingInsertion {
    QString startText;
    QString endText;
    bool pending = false;
};

// Lines of a multi-line insertion, then "\end", then the four-digit caret code (column, count).
struct PendingBlock {
    QStringList lines;
    bool pending = false;
};

struct AppContext {
    AppSettings settings;
    AppPaths paths;
    Prompts *prompts = nullptr;

    PendingInsertion pendingInsertion;
    PendingBlock pendingBlock;
    QString handOverFileName; // the file chosen in the file panel, offered to dialogs

    FileNameList temporaryFiles{100}; // deleted at exit
    FileNameList backupFiles{100};    // offered for deletion at exit
    // Every file this run has written itself (preview copies, backups): only these may be
    // overwritten or deleted without the user naming them.
    QSet<QString> filesWrittenThisRun;

    QStringList startupFiles; // files named on the command line

    // A settings file that cannot be written is reported once per run, not at every save.
    bool settingsWriteErrorShown = false;

    Prompts &prompt() const { return *prompts; }
    // Hands text to the main window's pump, which inserts it into the current editor.
    void setPendingInsertion(const QString &start, const QString &end) {
        pendingInsertion.startText = start;
        pendingInsertion.endText = end;
        pendingInsertion.pending = true;
    }
};
