// The user's own words for the spell check ("Add to dictionary"): a UTF-8 text file of one word
// a line in the data folder. Read through the bounded, never-blocking file reader; written whole
// through the atomic writer after every word added.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr const char *PersonalWordsName = "personal-words.txt";

class PersonalWords {
public:
    // Far beyond any list typed word by word.
    static constexpr qint64 MaxBytes = qint64(4) << 20;

    explicit PersonalWords(QString path) : m_path(std::move(path)) {}
    QString path() const { return m_path; }

    // Reads the list; a missing file is an empty list. False with a message naming the file when
    // something else carries its name or it cannot be read (not a regular file, too large).
    bool load(QString *error);
    const QStringList &words() const { return m_words; }

    // Adds a word to the list as it is on disk now (so that words another window added stay)
    // and writes it back; false with a message naming the file when that fails.
    bool add(const QString &word, QString *error);

private:
    QString m_path;
    QStringList m_words;
};
