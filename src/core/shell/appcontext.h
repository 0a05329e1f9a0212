// What the whole program shares, owned by main() and handed to windows and dialogs by reference:
// the settings, the prompts channel, the folders, the pending insertion and the run's file lists.
#pragma once

#include "shell/appsettings.h"
#include "shell/insertionchannel.h"
#include "shell/settingsio.h"

#include <QSet>
#include <QString>
#include <QStringList>

class Prompts;

// Where the program keeps its files (see the platform notes in README.md).
struct AppPaths {
    QString configDir;  // holds Marlo.ini
    QString dataDir;    // holds Marlostanda.vtd
    QString installDir; // read-only share/marlo folder next to the executable
    QString recoveryDir; // journals of unsaved pages; empty: none are kept
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

struct AppContext {
    AppSettings settings;
    AppPaths paths;
    Prompts *prompts = nullptr;

    InsertionChannel insertions; // text handed from dialogs to the current editor
    SettingsErrorReport settingsErrors;

    FileNameList temporaryFiles{100}; // deleted at exit
    FileNameList backupFiles{100};    // offered for deletion at exit
    // Every file this run has written itself (preview copies, backups): only these may be
    // overwritten or deleted without the user naming them.
    QSet<QString> filesWrittenThisRun;

    Prompts &prompt() const { return *prompts; }
    // Hands text to the current editor once the calling dialog has closed.
    void setPendingInsertion(const QString &start, const QString &end,
                             const std::optional<QString> &selectionText = std::nullopt) {
        insertions.setPendingInsertion(start, end, selectionText);
    }
    void setPendingBlock(const QStringList &lines) { insertions.setPendingBlock(lines); }
};
