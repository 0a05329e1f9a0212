// A Prompts implementation for tests: records every question and message, and answers from
// queues filled by the test. An unexpected question fails loudly with QFAIL-like output.
#pragma once

#include "shell/prompts.h"

#include <QList>
#include <QQueue>

struct PromptRecord {
    enum class Type { Message, YesNo, YesNoCancel, OpenFile, OpenFiles, SaveFile, Folder, Color };
    Type type;
    Prompts::Kind kind = Prompts::Kind::Information;
    QString text; // the message, or the caption of a file dialog
};

class ScriptedPrompts : public Prompts {
public:
    QQueue<Answer> answers;        // for askYesNo / askYesNoCancel
    QQueue<QString> fileNames;     // for open/save/folder; an empty string means cancelled
    QQueue<QStringList> fileLists; // for openFileNames
    QQueue<std::optional<QColor>> colors;
    QList<PromptRecord> records;
    // What to answer when a queue is empty; questions then also count as unexpected.
    Answer defaultAnswer = Answer::Cancel;
    int unexpected = 0;

    void message(Kind kind, const QString &text) override;
    Answer askYesNo(Kind kind, const QString &text) override;
    Answer askYesNoCancel(Kind kind, const QString &text) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QStringList openFileNames(const QString &caption, const QString &dir,
                              const QString &filter) override;
    // Like the real dialog, adds `defaultSuffix` to a queued name without an extension.
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultSuffix = QString()) override;
    QString pickFolder(const QString &caption, const QString &dir) override;
    std::optional<QColor> pickColor(const QColor &initial) override;

    // Texts of all messages and questions, in order.
    QStringList texts() const;
    // Texts of the messages only (OK boxes).
    QStringList messages() const;
    void clear() { records.clear(); }
};
