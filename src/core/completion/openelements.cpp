#include "completion/openelements.h"

#include <QStringView>
#include <QVarLengthArray>

namespace {

// A tag name of up to ten letters and digits as a number, six bits a character without regard to
// case; 0 for a longer name. Compares names without building strings.
quint64 nameKey(QStringView name) {
    if (name.size() > 10)
        return 0;
    quint64 key = 0;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const quint64 v = u >= u'a' ? u - u'a' + 11 : u >= u'A' ? u - u'A' + 11 : u - u'0' + 1;
        key = key << 6 | v;
    }
    return key;
}

constexpr quint64 key(const char *name) {
    quint64 k = 0;
    for (; *name; ++name)
        k = k << 6 | quint64(*name >= 'A' ? *name - 'A' + 11 : *name - '0' + 1);
    return k;
}

template <size_t N>
bool isOneOf(quint64 name, const quint64 (&keys)[N]) {
    for (quint64 k : keys)
        if (k == name)
            return true;
    return false;
}

bool isEmptyElement(quint64 name) {
    static constexpr quint64 keys[] = {
        key("AREA"),  key("BASE"), key("BASEFONT"), key("BGSOUND"), key("BR"),     key("COL"),
        key("EMBED"), key("FRAME"), key("HR"),      key("IMG"),     key("INPUT"),  key("ISINDEX"),
        key("LINK"),  key("META"), key("NEXTID"),   key("PARAM"),   key("SPACER"), key("WBR")};
    return isOneOf(name, keys);
}

// Elements whose end tag pages usually leave out; the program writes them so itself.
bool isUsuallyUnclosed(quint64 name) {
    static constexpr quint64 keys[] = {key("P"), key("LI"), key("DT"), key("DD"), key("OPTION")};
    return isOneOf(name, keys);
}

bool isRawTextElement(quint64 name) {
    static constexpr quint64 keys[] = {key("SCRIPT"), key("STYLE")};
    return isOneOf(name, keys);
}

bool isNameStart(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c) {
    return isNameStart(c) || (c >= u'0' && c <= u'9');
}

// The last index of `c` before `before`, or -1.
qsizetype lastBefore(QStringView t, QChar c, qsizetype before) {
    return before > 0 ? t.lastIndexOf(c, before - 1) : -1;
}

// Start tags an end tag seen further on has cancelled, by name.
class PendingEnds {
public:
    void add(QStringView name, quint64 key) {
        for (Entry &e : m_entries)
            if (matches(e, name, key)) {
                ++e.count;
                return;
            }
        m_entries.append({key, key ? QString() : name.toString(), 1});
    }
    // Cancels one start tag of this name; false when none is pending.
    bool take(QStringView name, quint64 key) {
        for (Entry &e : m_entries)
            if (e.count > 0 && matches(e, name, key)) {
                --e.count;
                return true;
            }
        return false;
    }

private:
    struct Entry {
        quint64 key;
        QString longName; // for names too long for a key
        int count;
    };
    static bool matches(const Entry &e, QStringView name, quint64 key) {
        return e.key == key && (key || e.longName.compare(name, Qt::CaseInsensitive) == 0);
    }
    QVarLengthArray<Entry, 16> m_entries;
};

enum class Scan { Done, NeedsMore };

// Reads `t` backwards from its end; `atPageStart` tells that nothing lies before it.
Scan scanBack(QStringView t, bool atPageStart, QStringList &found) {
    const Scan exhausted = atPageStart ? Scan::Done : Scan::NeedsMore;
    PendingEnds pending;
    qsizetype i = t.size(); // everything from i on is read
    for (;;) {
        const qsizetype close = lastBefore(t, u'>', i);
        if (close < 0)
            return exhausted;
        if (close >= 2 && t.at(close - 1) == u'-' && t.at(close - 2) == u'-') {
            // The end of a comment: go on before its start.
            const qsizetype start = t.lastIndexOf(u"<!--", close - 2);
            if (start >= 0) {
                i = start;
                continue;
            }
            if (!atPageStart)
                return Scan::NeedsMore;
        }
        // The tag's "<"; a comment's end on the way means that this ">" stands in the text
        // after the comment, which comes first.
        qsizetype open = close - 1;
        bool afterComment = false;
        for (; open >= 0 && t.at(open) != u'<'; --open) {
            if (t.at(open) == u'>' && open >= 2 && t.at(open - 1) == u'-' &&
                t.at(open - 2) == u'-') {
                afterComment = true;
                break;
            }
        }
        if (afterComment) {
            i = open + 1;
            continue;
        }
        if (open < 0)
            return exhausted;
        const QStringView tag = t.sliced(open, close - open + 1);
        i = open;
        const bool endTag = tag.size() > 1 && tag.at(1) == u'/';
        const qsizetype nameStart = endTag ? 2 : 1;
        if (nameStart >= tag.size() || !isNameStart(tag.at(nameStart)))
            continue; // a declaration, or a "<" in text
        qsizetype nameEnd = nameStart;
        while (nameEnd < tag.size() && isNameChar(tag.at(nameEnd)))
            ++nameEnd;
        const QStringView name = tag.sliced(nameStart, nameEnd - nameStart);
        const quint64 key = nameKey(name);
        if (endTag) {
            pending.add(name, key);
            if (isRawTextElement(key)) {
                // A script's insides are no markup: go on at the end of its start tag.
                qsizetype start = open;
                do {
                    start = lastBefore(t, u'<', start);
                } while (start >= 0 &&
                         !t.sliced(start + 1).startsWith(name, Qt::CaseInsensitive));
                if (start < 0) {
                    if (!atPageStart)
                        return Scan::NeedsMore;
                    continue;
                }
                const qsizetype startEnd = t.indexOf(u'>', start);
                i = startEnd >= 0 && startEnd < open ? startEnd + 1 : open;
            }
            continue;
        }
        if (tag.endsWith(u"/>") || isEmptyElement(key) || pending.take(name, key))
            continue;
        if (!found.isEmpty() && isUsuallyUnclosed(key))
            continue;
        found << name.toString();
        if (found.size() == 2 || !isUsuallyUnclosed(key))
            return Scan::Done;
    }
}

} // namespace

QStringList elementsToClose(const PageReader &read, int position, int firstReach) {
    for (qint64 reach = qMax(1, firstReach);; reach *= 8) {
        const int start = int(qMax<qint64>(0, position - reach));
        const QString text = read(start, position - start);
        QStringList found;
        if (scanBack(text, start == 0, found) == Scan::Done)
            return found;
    }
}
