#include "editor/textcommands.h"

#include "editor/typedcharacters.h"
#include "text/tagextent.h"

QString applyTextEdits(QStringView text, const TextEdits &edits) {
    qsizetype size = text.size();
    for (const TextEdit &e : edits)
        size += e.text.size() - e.length;
    QString out;
    out.reserve(size);
    qsizetype at = 0;
    for (const TextEdit &e : edits) {
        out.append(text.mid(at, e.position - at));
        out.append(e.text);
        at = e.position + e.length;
    }
    out.append(text.mid(at));
    return out;
}

int findText(QStringView text, QStringView needle, int from, int to) {
    to = qBound(0, to, int(text.size()));
    from = qMax(0, from);
    if (needle.isEmpty() || from + needle.size() > to)
        return -1;
    return int(text.left(to).indexOf(needle, from, Qt::CaseInsensitive));
}

bool equalsIgnoringCase(QStringView a, QStringView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

TextEdits planStripAllTags(QStringView text) {
    TextEdits edits;
    const qsizetype size = text.size();
    const char16_t *s = text.utf16();
    qsizetype i = 0;
    while (true) {
        while (i < size && s[i] != u'<')
            ++i;
        if (i == size)
            break;
        const qsizetype close = tagClose(text, i); // not at a ">" inside a quoted value
        if (close < 0)
            break;
        edits.append({int(i), int(close - i + 1), QString()});
        i = close + 1;
    }
    return edits;
}

TextEdits planTextConversion(QStringView text, const TextConversionOptions &options) {
    using Latin1 = TextConversionOptions::Latin1;
    using Slashes = TextConversionOptions::Slashes;
    static const QString slash = QStringLiteral("/");
    static const QString backslash = QStringLiteral("\\");
    TextEdits edits;
    const qsizetype size = text.size();
    const char16_t *s = text.utf16();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = s[i];
        // A slash right after "<" is the slash of an end tag, never a path separator.
        const bool afterTagOpen = i > 0 && s[i - 1] == u'<';
        if (c == u'\\' && options.slashes == Slashes::BackslashToSlash && !afterTagOpen) {
            edits.append({int(i), 1, slash});
        } else if (c == u'/' && options.slashes == Slashes::SlashToBackslash && !afterTagOpen) {
            edits.append({int(i), 1, backslash});
        } else if (c == u'&' && options.latin1 == Latin1::FromEntities) {
            for (qsizetype len = 5; len <= 8 && i + len <= size; ++len) {
                if (s[i + len - 1] != u';')
                    continue;
                const QChar ch = characterForEntity(text.mid(i, len));
                if (!ch.isNull()) {
                    edits.append({int(i), int(len), QString(ch)});
                    i += len - 1;
                }
                break;
            }
        } else if (c >= 0xA0 && c <= 0xFF && options.latin1 == Latin1::ToEntities) {
            const QString entity = entityForCharacter(QChar(c));
            if (!entity.isEmpty())
                edits.append({int(i), 1, entity + QLatin1Char(';')});
        }
    }
    return edits;
}

TextEdits planIndent(QStringView lines, int offset) {
    static const QString tab = QStringLiteral("\t");
    TextEdits edits;
    edits.append({offset, 0, tab});
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i] == u'\n')
            edits.append({offset + int(i) + 1, 0, tab});
    }
    return edits;
}

TextEdits planUnindent(QStringView lines, int offset) {
    TextEdits edits;
    bool lineStart = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lineStart && lines[i] == u'\t')
            edits.append({offset + int(i), 1, QString()});
        lineStart = lines[i] == u'\n';
    }
    return edits;
}

TextEdits planReplaceAll(QStringView text, int selectionStart, int selectionLength,
                         QStringView needle, const QString &replacement) {
    TextEdits edits;
    const int n = int(needle.size());
    if (n == 0)
        return edits;
    const int size = int(text.size());
    selectionStart = qBound(0, selectionStart, size);
    selectionLength = qBound(0, selectionLength, size - selectionStart);
    int from = selectionStart;
    if (equalsIgnoringCase(text.mid(selectionStart, selectionLength), needle)) {
        edits.append({selectionStart, n, replacement});
        from = selectionStart + n;
    }
    while (true) {
        const int hit = findText(text, needle, from, size);
        if (hit < 0)
            break;
        edits.append({hit, n, replacement});
        from = hit + n;
    }
    return edits;
}

BlockInsertion parseBlockInsertion(const QStringList &entries) {
    BlockInsertion block;
    const qsizetype end = entries.indexOf(QStringLiteral("\\end"));
    block.lines = end < 0 ? entries : entries.mid(0, end);
    if (end >= 0 && end + 1 < entries.size()) {
        const QString code = entries.at(end + 1);
        block.column = qMax(0, code.mid(0, 2).toInt());
        block.linesUp = qMax(0, code.mid(2, 2).toInt());
    }
    return block;
}
