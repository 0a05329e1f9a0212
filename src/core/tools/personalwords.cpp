#include "tools/personalwords.h"

#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"
#include "tools/tooltexts.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList parseWords(const QByteArray &bytes) {
    QStringList words;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QString word = line.trimmed().toString();
        if (!word.isEmpty() && !words.contains(word))
            words << word;
    }
    return words;
}

} // namespace

bool PersonalWords::load(QString *error) {
    const FileRead read = readRegularFile(m_path, MaxBytes);
    if (read.status == FileRead::Status::Missing) {
        m_words.clear();
        return true;
    }
    if (!read.ok()) {
        *error = readProblemText(read, m_path, MaxBytes);
        return false;
    }
    m_words = parseWords(read.bytes);
    return true;
}

bool PersonalWords::add(const QString &word, QString *error) {
    QString readError;
    if (!load(&readError)) {
        *error = readError;
        return false;
    }
    if (word.trimmed().isEmpty() || m_words.contains(word))
        return true;
    m_words << word;
    QByteArray bytes;
    for (const QString &w : std::as_const(m_words))
        bytes += w.toUtf8() + '\n';
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QString writeError;
    if (!writeFileAtomically(m_path, bytes, &writeError)) {
        *error = ToolTexts::personalWordsNotWritten(m_path, writeError);
        return false;
    }
    return true;
}
