#include "shell/inistore.h"

#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"
#include "text/windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <climits>

namespace {

QString foldCase(const QString &s) {
    return s.toCaseFolded();
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b).toString();
}

// The reader trims blanks and strips one pair of enclosing double quotes.
QString unquote(const QString &value) {
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

// What to write so that unquote(trimBlanks(line)) gives `value` back.
QString quoteForFile(QString value) {
    for (QChar &c : value)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            c = QLatin1Char(' ');
    const bool needsQuotes =
        !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) ||
                             (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
                              value.endsWith(QLatin1Char('"'))));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

// Names cannot hold line breaks or the characters that end them.
QString cleanName(const QString &name) {
    QString n = name;
    for (QChar &c : n)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            c = QLatin1Char(' ');
    return trimBlanks(n);
}

QString decodeFile(const QByteArray &raw) {
    QByteArrayView bytes(raw);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = decodeWindows1252(bytes.toByteArray());
    return text;
}

} // namespace

bool IniStore::parseInt(const QString &text, int *value) {
    QStringView s = QStringView(text).trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        const bool digit = c.isDigit() && c.unicode() < 0x80;
        const bool hexLetter = (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                               (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!digit && !(base == 16 && hexLetter))
            return false;
    }
    bool ok = false;
    const qulonglong magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return false;
    qint64 result;
    if (base == 16) {
        // Eight hex digits are the whole 32-bit pattern: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        result = qint32(quint32(magnitude));
    } else {
        if (magnitude > 0x80000000ull)
            return false;
        result = qint64(magnitude);
    }
    if (negative)
        result = -result;
    if (result < INT_MIN || result > INT_MAX)
        return false;
    *value = int(result);
    return true;
}

void IniStore::clear() {
    m_leadingComments.clear();
    m_sections.clear();
    m_sectionIndex.clear();
}

bool IniStore::load(const QString &fileName, QString *error) {
    clear();
    const FileRead read = readRegularFile(fileName, MaxFileBytes);
    QString problem;
    switch (read.status) {
    case FileRead::Status::Ok:
        parse(read.bytes);
        return true;
    case FileRead::Status::Missing:
        return false;
    case FileRead::Status::NotRegular:
        problem = QStringLiteral("It is not a regular file. Marlo leaves it alone and uses its "
                                 "default settings.");
        break;
    case FileRead::Status::TooLarge:
        problem = QStringLiteral("It is %1, far larger than a settings file. Marlo leaves it "
                                 "alone and uses its default settings.")
                      .arg(fileSizeText(read.size));
        break;
    case FileRead::Status::Failed:
        problem = read.error;
        break;
    }
    if (error)
        *error = problem;
    return false;
}

void IniStore::parse(const QByteArray &bytes) {
    clear();
    const QString text = decodeFile(bytes);
    Section *current = nullptr;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r') &&
               text[end] != QChar(0))
            ++end;
        const QString line = trimBlanks(QStringView(text).mid(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char(';'))) {
            // Comments stay where they stand, so that saving keeps the user's notes.
            if (current)
                current->entries.append(Entry{QString(), line, true});
            else
                m_leadingComments.append(line);
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0)
                close = line.size();
            const QString name = trimBlanks(QStringView(line).mid(1, close - 1));
            current = &sectionFor(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq <= 0)
            continue; // keys before any section and lines without "=" mean nothing
        const QString key = trimBlanks(QStringView(line).left(eq));
        if (key.isEmpty())
            continue;
        addEntry(*current, key, unquote(trimBlanks(QStringView(line).mid(eq + 1))), false);
    }
}

QByteArray IniStore::serialize() const {
    QString out;
    for (const QString &comment : m_leadingComments)
        out += comment + QLatin1Char('\n');
    bool first = m_leadingComments.isEmpty();
    for (const Section &section : m_sections) {
        if (!first)
            out += QLatin1Char('\n');
        first = false;
        out += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry &e : section.entries)
            out += (e.comment ? e.value : e.key + QLatin1Char('=') + quoteForFile(e.value)) +
                   QLatin1Char('\n');
    }
    return out.toUtf8();
}

bool IniStore::save(const QString &fileName, QString *error) const {
    const QString folder = QFileInfo(fileName).absolutePath();
    QDir().mkpath(folder); // a failure shows up as the write error
    return writeFileAtomically(fileName, serialize(), error);
}

const IniStore::Entry *IniStore::find(const QString &section, const QString &key) const {
    const auto s = m_sectionIndex.constFind(foldCase(cleanName(section)));
    if (s == m_sectionIndex.constEnd())
        return nullptr;
    const Section &sec = m_sections.at(*s);
    const auto k = sec.index.constFind(foldCase(cleanName(key)));
    return k == sec.index.constEnd() ? nullptr : &sec.entries.at(*k);
}

IniStore::Section &IniStore::sectionFor(const QString &name) {
    const QString folded = foldCase(name);
    const auto it = m_sectionIndex.constFind(folded);
    if (it != m_sectionIndex.constEnd())
        return m_sections[*it]; // a repeated section continues the first one
    m_sectionIndex.insert(folded, m_sections.size());
    m_sections.append(Section{name, {}, {}});
    return m_sections.last();
}

void IniStore::addEntry(Section &section, const QString &key, const QString &value, bool replace) {
    const QString folded = foldCase(key);
    const auto it = section.index.constFind(folded);
    if (it != section.index.constEnd()) {
        if (replace)
            section.entries[*it].value = value;
        return;
    }
    section.index.insert(folded, section.entries.size());
    section.entries.append(Entry{key, value});
}

bool IniStore::contains(const QString &section, const QString &key) const {
    return find(section, key) != nullptr;
}

QString IniStore::readString(const QString &section, const QString &key,
                             const QString &defaultValue) const {
    const Entry *e = find(section, key);
    QString value = e ? e->value : defaultValue;
    if (value.size() > MaxValueLength) {
        qsizetype cut = MaxValueLength;
        if (value.at(cut - 1).isHighSurrogate())
            --cut; // never leave half a character behind
        value.truncate(cut);
    }
    return value;
}

int IniStore::readInt(const QString &section, const QString &key, int defaultValue) const {
    const Entry *e = find(section, key);
    int value = 0;
    if (!e || !parseInt(e->value.left(MaxValueLength), &value))
        return defaultValue;
    return value;
}

bool IniStore::readBool(const QString &section, const QString &key, bool defaultValue) const {
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

void IniStore::writeString(const QString &section, const QString &key, const QString &value) {
    const QString s = cleanName(section);
    const QString k = cleanName(key);
    if (k.isEmpty())
        return;
    addEntry(sectionFor(s), k, value, true);
}

void IniStore::writeInt(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void IniStore::writeBool(const QString &section, const QString &key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniStore::sections() const {
    QStringList out;
    for (const Section &s : m_sections)
        out << s.name;
    return out;
}

QStringList IniStore::keys(const QString &section) const {
    QStringList out;
    const auto s = m_sectionIndex.constFind(foldCase(cleanName(section)));
    if (s != m_sectionIndex.constEnd())
        for (const Entry &e : m_sections.at(*s).entries)
            if (!e.comment)
                out << e.key;
    return out;
}
