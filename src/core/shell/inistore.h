// The settings file format: an INI store with the classic Windows profile semantics, kept in
// memory and written whole. Sections and keys match without regard to case and keep the order in
// which they were first written.
//
// File encoding: UTF-8 without a byte-order mark, LF line ends. A file that is not valid UTF-8 is
// read as Windows-1252 (files written by older versions). Values are stored as they are; only a
// value that would change on reading back (leading or trailing blanks, or text enclosed in double
// quotes) is written inside one extra pair of double quotes, which the reader strips as the
// profile API does. Line breaks cannot be stored and are written as spaces.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class IniStore {
public:
    // Longest value a read returns, as the profile API reads through a 1024-byte buffer.
    static constexpr int MaxValueLength = 1023;

    // Larger files are not settings files; they are neither read nor replaced.
    static constexpr qint64 MaxFileBytes = qint64(4) << 20;

    // Reads `fileName`. A missing file gives an empty store and returns false, as does an
    // unreadable one, one that is not a regular file (a pipe or a device would hang or never end)
    // and one beyond MaxFileBytes; then `error` says why. Damaged content never fails: what can
    // be read is read, lines that make no sense are skipped, the first of duplicate keys wins.
    // Comment lines (";") are kept and written back in place.
    bool load(const QString &fileName, QString *error = nullptr);
    void parse(const QByteArray &bytes);

    // Writes the whole store atomically; false with the platform's error text on failure (the old
    // file is then left as it was). Creates the folder when it is missing.
    bool save(const QString &fileName, QString *error = nullptr) const;
    QByteArray serialize() const;

    bool contains(const QString &section, const QString &key) const;
    // At most MaxValueLength characters; `defaultValue` when the key is missing.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$" (an optional sign first); anything else,
    // and a missing key, gives `defaultValue`.
    int readInt(const QString &section, const QString &key, int defaultValue) const;
    // An integer read; true for any non-zero number.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    QStringList sections() const;
    QStringList keys(const QString &section) const;
    void clear();

    // The integer rule of readInt on a bare text; false when it is no number.
    static bool parseInt(const QString &text, int *value);

private:
    struct Entry {
        QString key;
        QString value;        // for a comment: the whole line, ";" included
        bool comment = false; // comments are kept in place but are no keys
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index; // lower-case key -> entry
    };

    const Entry *find(const QString &section, const QString &key) const;
    Section &sectionFor(const QString &name);
    void addEntry(Section &section, const QString &key, const QString &value, bool replace);

    QStringList m_leadingComments; // comment lines before the first section
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex; // lower-case name -> section
};
