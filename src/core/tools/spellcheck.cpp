#include "tools/spellcheck.h"

#include "editor/typedcharacters.h"
#include "shell/prompts.h"
#include "text/tagextent.h"
#include "tools/speller.h"
#include "tools/tooltexts.h"

#include <QSet>
#include <algorithm>
#include <map>
#include <vector>

namespace {

// Letters of the accented-character table that the spell check leaves as written.
bool keptAsEntity(QChar c) {
    switch (c.unicode()) {
    case 197: // Aring
    case 229: // aring
    case 207: // Iuml
    case 239: // iuml
    case 222: // THORN
        return true;
    default:
        return false;
    }
}

bool isAddressSeparator(QChar c) {
    switch (c.unicode()) {
    case '\t': case '\n': case '\r': case ' ': case '!': case '"': case '(': case ')':
    case ',': case ':': case ';': case '?': case '[': case ']': case '{': case '}':
        return true;
    default:
        return false;
    }
}

bool isWordSeparator(QChar c) { return c == QLatin1Char('.') || isAddressSeparator(c); }

bool isLinkWord(QStringView word) {
    static const char *const Schemes[] = {"http", "ftp", "news", "wais", "telnet", "gopher"};
    for (const char *scheme : Schemes)
        if (word.contains(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    return false;
}

bool onlyBlankLines(QStringView segment) {
    for (QChar c : segment)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return false;
    return true;
}

// The words of a text to check, in order: the text outside tags and comments, cut at the
// separators, without e-mail addresses and links. A copy goes on from the same place, so that
// Replace All can look ahead at exactly the words the walk will meet.
class WordCursor {
public:
    WordCursor(const QString &text, const SpellCheckOptions &options)
        : m_text(&text), m_options(&options) {}

    // The next word, [start, end) of the text; false when the walk has ended.
    bool next(int &start, int &end) {
        const QString &t = *m_text;
        while (true) {
            if (m_segmentEnd < 0 || m_pos >= m_segmentEnd) {
                if (!enterNextSegment())
                    return false;
                continue;
            }
            while (m_pos < m_segmentEnd && isWordSeparator(t[m_pos]))
                ++m_pos;
            if (m_pos >= m_segmentEnd)
                continue;
            int wordEnd = m_pos;
            while (wordEnd < m_segmentEnd && !isWordSeparator(t[wordEnd]))
                ++wordEnd;
            const QStringView word = QStringView(t).mid(m_pos, wordEnd - m_pos);
            if (m_options->ignoreMail && word.contains(QLatin1Char('@'))) {
                // The rest of the address follows a full stop; any other separator ends it.
                m_pos = skipAddress(wordEnd);
                continue;
            }
            if (m_options->ignoreLinks && wordEnd < m_segmentEnd &&
                QStringView(t).mid(wordEnd + 1).startsWith(QLatin1String("//")) &&
                isLinkWord(word)) {
                m_pos = skipAddress(wordEnd + 1);
                continue;
            }
            start = m_pos;
            end = wordEnd;
            m_pos = wordEnd;
            return true;
        }
    }

    // The walk ended at a comment without its end.
    bool endedAtUnclosedComment() const { return m_unclosedComment; }

private:
    // Leaves the segment being cut (if any) for the next one that holds more than blank
    // lines; false when there is none.
    bool enterNextSegment() {
        const QString &t = *m_text;
        while (!m_ended) {
            if (m_segmentEnd >= 0) {
                if (m_after < 0) {
                    m_unclosedComment = m_unclosedAfter;
                    m_ended = true;
                    return false;
                }
                m_pos = m_after;
            }
            if (m_pos >= t.size()) {
                m_ended = true;
                return false;
            }
            // The text before a comment is checked like the text before any tag.
            const int open = int(t.indexOf(QLatin1Char('<'), m_pos));
            m_segmentEnd = open < 0 ? int(t.size()) : open;
            m_unclosedAfter = false;
            if (open < 0) {
                m_after = -1;
            } else if (QStringView(t).mid(open).startsWith(QLatin1String("<!--"))) {
                const int close = int(t.indexOf(QLatin1String("-->"), open + 4));
                m_unclosedAfter = close < 0;
                m_after = close < 0 ? -1 : close + 3;
            } else {
                const int close = int(tagClose(t, open));
                m_after = close < 0 ? -1 : close + 1;
            }
            if (!onlyBlankLines(QStringView(t).mid(m_pos, m_segmentEnd - m_pos)))
                return true;
        }
        return false;
    }

    int skipAddress(int from) const {
        while (from < m_segmentEnd && !isAddressSeparator((*m_text)[from]))
            ++from;
        return from;
    }

    const QString *m_text;
    const SpellCheckOptions *m_options;
    int m_pos = 0;          // where cutting goes on
    int m_segmentEnd = -1;  // end of the segment being cut; -1 before the first
    int m_after = 0;        // where the walk goes on after the segment; -1: it ends there
    bool m_unclosedAfter = false;
    bool m_unclosedComment = false;
    bool m_ended = false;
};

// The text the check reads (entity references of the table turned into their characters) and
// the replacements made in it, kept apart from the document: the document only ever receives
// the replacements, written back with their references, and at the end the characters typed
// directly turned into references. Replacements go to the host in batches, each one edit (one
// undo step): what was replaced since the last question, before the next one is asked, and a
// Replace All at once.
class CheckedText {
public:
    CheckedText(const QString &document, const SpellCheckOptions &options)
        : m_document(document), m_convert(options.convertEntities) {
        if (!m_convert) {
            m_text = document;
            return;
        }
        const TextEdits entities = planEntitiesToCharacters(document);
        m_text = applyTextEdits(document, entities);
        m_entities.reserve(size_t(entities.size()));
        int extra = 0;
        for (const TextEdit &e : entities) {
            const int checked = e.position - extra;
            extra += e.length - 1;
            m_entities.push_back({checked, extra});
        }
    }

    const QString &text() const { return m_text; }

    // A replacement as the document gets it.
    QString written(const QString &with) const {
        return m_convert ? applyTextEdits(with, planCharactersToEntities(with)) : with;
    }
    // Replaces [start, end) of the checked text by `text`, as written().
    void replace(int start, int end, const QString &text) {
        Replacement r;
        r.end = original(end);
        r.text = text;
        m_replacements.emplace(original(start), std::move(r));
        m_replacedStarts.insert(start);
    }
    bool isReplaced(int start) const { return m_replacedStarts.contains(start); }

    // Where a position of the checked text stands in the document as the host has it now.
    int documentPosition(int checked) const {
        const int at = original(checked);
        int shift = 0;
        for (auto it = m_replacements.begin(); it != m_replacements.end() && it->first < at; ++it)
            if (it->second.sent)
                shift += it->second.delta(it->first);
        return at + shift;
    }

    // Sends the replacements the host has not had yet, as one edit.
    void flush(SpellCheckHost &host) { send(host, {}); }

    // Sends what is left together with, when entities are converted, the characters of the
    // table that stand in the document as typed: one edit.
    void finish(SpellCheckHost &host) {
        send(host, m_convert ? planCharactersToEntities(m_document) : TextEdits());
    }

private:
    struct Replacement {
        int end = 0; // in the document as it was
        QString text;
        bool sent = false;
        int delta(int start) const { return int(text.size()) - (end - start); }
    };

    // The position in the document as it was of a position of the checked text.
    int original(int checked) const {
        auto it = std::lower_bound(m_entities.begin(), m_entities.end(), checked,
                                   [](const Entity &e, int pos) { return e.checked < pos; });
        return checked + (it == m_entities.begin() ? 0 : std::prev(it)->extra);
    }

    // The unsent replacements and `others` (edits of the document as it was, dropped where a
    // replacement covers them), merged into one edit of the document as the host has it.
    void send(SpellCheckHost &host, const TextEdits &others) {
        TextEdits out;
        int shift = 0; // of the replacements the host already has, before the current place
        auto other = others.begin();
        for (auto &[start, r] : m_replacements) {
            for (; other != others.end() && other->position < start; ++other)
                out.append(TextEdit{other->position + shift, other->length, other->text});
            while (other != others.end() && other->position < r.end)
                ++other;
            if (r.sent)
                shift += r.delta(start);
            else
                out.append(TextEdit{start + shift, r.end - start, r.text});
        }
        for (; other != others.end(); ++other)
            out.append(TextEdit{other->position + shift, other->length, other->text});
        for (auto &entry : m_replacements)
            entry.second.sent = true;
        if (!out.isEmpty())
            host.applyEdits(out);
    }

    struct Entity {
        int checked; // position of the character in the checked text
        int extra;   // how much longer the document is up to and including its reference
    };

    QString m_document;
    QString m_text;
    bool m_convert;
    std::vector<Entity> m_entities;
    std::map<int, Replacement> m_replacements; // by start in the document as it was
    QSet<int> m_replacedStarts;                // in the checked text
};

} // namespace

TextEdits planEntitiesToCharacters(QStringView text) {
    TextEdits edits;
    const int n = text.size();
    for (int amp = 0; amp < n; ++amp) {
        if (text[amp] != QLatin1Char('&'))
            continue;
        // Names of three to six letters: the nearest ";" decides.
        for (int len = 4; len <= 7 && amp + len < n; ++len) {
            if (text[amp + len] != QLatin1Char(';'))
                continue;
            const QChar c = characterForEntity(text.mid(amp, len + 1));
            if (!c.isNull() && !keptAsEntity(c)) {
                edits.append(TextEdit{amp, len + 1, QString(c)});
                amp += len;
            }
            break;
        }
    }
    return edits;
}

TextEdits planCharactersToEntities(QStringView text) {
    TextEdits edits;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 169 || keptAsEntity(c))
            continue;
        const QString entity = entityForCharacter(c);
        if (!entity.isEmpty())
            edits.append(TextEdit{i, 1, entity + QLatin1Char(';')});
    }
    return edits;
}

SpellCheckOutcome spellCheck(const QString &text, Speller &speller, SpellCheckHost &host,
                             Prompts &prompts, const SpellCheckOptions &options) {
    CheckedText checked(text, options);
    const QString &t = checked.text();
    WordCursor words(t, options);
    bool cancelled = false;
    int start = 0, end = 0;
    while (!cancelled && words.next(start, end)) {
        if (checked.isReplaced(start))
            continue; // by a Replace All further back
        const QString word = t.mid(start, end - start);
        QString result = word;
        const int code = speller.check(word);
        if (code == Speller::AutoReplace) {
            result = speller.replacementWord();
        } else if (code != Speller::Accepted) {
            checked.flush(host);
            SpellQuestion q;
            q.position = checked.documentPosition(start);
            q.length = checked.documentPosition(end) - q.position;
            q.word = word;
            q.checkedWord = speller.checkedWord();
            if (code == Speller::RejectedWithSuggestions)
                q.suggestions = speller.lastSuggestions();
            const SpellAnswer answer = host.ask(q);
            switch (answer.action) {
            case SpellAnswer::Cancel:
                cancelled = true;
                break;
            case SpellAnswer::Ignore:
                break;
            case SpellAnswer::IgnoreAll:
                speller.ignoreAll(q.checkedWord);
                break;
            case SpellAnswer::AddToDictionary:
                speller.addWord(q.checkedWord);
                break;
            case SpellAnswer::Replace:
                result = answer.replacement;
                break;
            case SpellAnswer::ReplaceAll: {
                speller.replaceAll(q.checkedWord, answer.replacement);
                // This word and every later one the walk would replace on its way, replaced
                // now and sent as one edit: the user sees them all go at once, and one undo
                // takes them all back.
                const QString text = checked.written(answer.replacement);
                checked.replace(start, end, text);
                WordCursor ahead = words;
                int s = 0, e = 0;
                while (ahead.next(s, e))
                    if (QStringView(t).mid(s, e - s) == q.checkedWord)
                        checked.replace(s, e, text);
                checked.flush(host);
                break;
            }
            }
        }
        if (!cancelled && result != word)
            checked.replace(start, end, checked.written(result));
    }
    if (!cancelled && words.endedAtUnclosedComment())
        prompts.information(SpellTexts::UnclosedComment);
    checked.finish(host);
    return cancelled ? SpellCheckOutcome::Cancelled : SpellCheckOutcome::Completed;
}
