#include "scriptedprompts.h"

#include <QFileInfo>

void ScriptedPrompts::message(Kind kind, const QString &text) {
    records.append({PromptRecord::Type::Message, kind, text});
}

Prompts::Answer ScriptedPrompts::askYesNo(Kind kind, const QString &text) {
    records.append({PromptRecord::Type::YesNo, kind, text});
    if (answers.isEmpty()) {
        ++unexpected;
        return defaultAnswer == Answer::Cancel ? Answer::No : defaultAnswer;
    }
    return answers.dequeue();
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(Kind kind, const QString &text) {
    records.append({PromptRecord::Type::YesNoCancel, kind, text});
    if (answers.isEmpty()) {
        ++unexpected;
        return defaultAnswer;
    }
    return answers.dequeue();
}

QString ScriptedPrompts::openFileName(const QString &caption, const QString &, const QString &) {
    records.append({PromptRecord::Type::OpenFile, Kind::Information, caption});
    if (fileNames.isEmpty()) {
        ++unexpected;
        return {};
    }
    return fileNames.dequeue();
}

QStringList ScriptedPrompts::openFileNames(const QString &caption, const QString &,
                                           const QString &) {
    records.append({PromptRecord::Type::OpenFiles, Kind::Information, caption});
    if (fileLists.isEmpty()) {
        ++unexpected;
        return {};
    }
    return fileLists.dequeue();
}

QString ScriptedPrompts::saveFileName(const QString &caption, const QString &, const QString &,
                                      const QString &defaultSuffix) {
    records.append({PromptRecord::Type::SaveFile, Kind::Information, caption});
    if (fileNames.isEmpty()) {
        ++unexpected;
        return {};
    }
    QString name = fileNames.dequeue();
    if (!name.isEmpty() && !defaultSuffix.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultSuffix;
    return name;
}

QString ScriptedPrompts::pickFolder(const QString &caption, const QString &) {
    records.append({PromptRecord::Type::Folder, Kind::Information, caption});
    if (fileNames.isEmpty()) {
        ++unexpected;
        return {};
    }
    return fileNames.dequeue();
}

std::optional<QColor> ScriptedPrompts::pickColor(const QColor &) {
    records.append({PromptRecord::Type::Color, Kind::Information, QString()});
    if (colors.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return colors.dequeue();
}

QStringList ScriptedPrompts::texts() const {
    QStringList out;
    for (const auto &r : records)
        if (r.type == PromptRecord::Type::Message || r.type == PromptRecord::Type::YesNo ||
            r.type == PromptRecord::Type::YesNoCancel)
            out << r.text;
    return out;
}

QStringList ScriptedPrompts::messages() const {
    QStringList out;
    for (const auto &r : records)
        if (r.type == PromptRecord::Type::Message)
            out << r.text;
    return out;
}
