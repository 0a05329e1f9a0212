#include "tools/spellcheck.h"

#include "editor/typedcharacters.h"
#include "shell/prompts.h"
#include "text/tagextent.h"
#include "tools/speller.h"

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

bool isLinkWord(const QString &word) {
    static const char *const Schemes[] = {"http", "ftp", "news", "wais", "telnet", "gopher"};
    const QString lower = word.toLower();
    for (const char *scheme : Schemes)
        if (lower.contains(QLatin1String(scheme)))
            return true;
    return false;
}

bool onlyBlankLines(QStringView segment) {
    for (QChar c : segment)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return false;
    return true;
}

class Walk {
public:
    Walk(const QString &text, Speller &speller, SpellCheckHost &host,
         const SpellCheckOptions &options)
        : m_text(text), m_speller(speller), m_host(host), m_options(options) {}

    // Checks [start, end) of the text; returns the end of the segment afterwards (replacements
    // move it), or -1 when the user cancelled.
    int checkSegment(int start, int end) {
        int pos = start;
        while (true) {
            while (pos < end && isWordSeparator(m_text[pos]))
                ++pos;
            if (pos >= end)
                return end;
            int wordEnd = pos;
            while (wordEnd < end && !isWordSeparator(m_text[wordEnd]))
                ++wordEnd;
            const QString word = m_text.mid(pos, wordEnd - pos);

            if (m_options.ignoreMail && word.contains(QLatin1Char('@'))) {
                // The rest of the address follows a full stop; any other separator ends it.
                pos = skipAddress(wordEnd, end);
                continue;
            }
            if (m_options.ignoreLinks && wordEnd < end && isLinkWord(word) &&
                QStringView(m_text).mid(wordEnd + 1).startsWith(QLatin1String("//"))) {
                pos = skipAddress(wordEnd + 1, end);
                continue;
            }

            QString result = word;
            const int code = m_speller.check(word);
            if (code == Speller::AutoReplace) {
                result = m_speller.replacementWord();
            } else if (code != Speller::Accepted) {
                SpellQuestion q;
                q.position = pos;
                q.word = word;
                q.checkedWord = m_speller.checkedWord();
                if (code == Speller::RejectedWithSuggestions)
                    q.suggestions = m_speller.lastSuggestions();
                const SpellAnswer answer = m_host.ask(q);
                switch (answer.action) {
                case SpellAnswer::Cancel:
                    return -1;
                case SpellAnswer::Ignore:
                    break;
                case SpellAnswer::IgnoreAll:
                    m_speller.ignoreAll(q.checkedWord);
                    break;
                case SpellAnswer::Replace:
                    result = answer.replacement;
                    break;
                case SpellAnswer::ReplaceAll:
                    m_speller.replaceAll(q.checkedWord, answer.replacement);
                    result = answer.replacement;
                    break;
                }
            }
            if (result != word) {
                replace(pos, word.size(), result);
                const int shift = result.size() - word.size();
                end += shift;
                wordEnd += shift;
            }
            pos = wordEnd;
        }
    }

    void replace(int pos, int length, const QString &text) {
        m_text.replace(pos, length, text);
        m_host.applyEdits({TextEdit{pos, length, text}});
    }

    QString &text() { return m_text; }

private:
    int skipAddress(int from, int end) const {
        while (from < end && !isAddressSeparator(m_text[from]))
            ++from;
        return from;
    }

    QString m_text;
    Speller &m_speller;
    SpellCheckHost &m_host;
    const SpellCheckOptions &m_options;
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
    Walk walk(text, speller, host, options);
    QString &t = walk.text();
    if (options.convertEntities) {
        const TextEdits edits = planEntitiesToCharacters(t);
        if (!edits.isEmpty()) {
            t = applyTextEdits(t, edits);
            host.applyEdits(edits);
        }
    }

    bool cancelled = false;
    int pos = 0;
    while (pos < t.size()) {
        const int open = t.indexOf(QLatin1Char('<'), pos);
        const bool comment = open >= 0 && QStringView(t).mid(open).startsWith(QLatin1String("<!--"));
        // The text before a comment is checked like the text before any tag.
        int segmentEnd = open < 0 ? t.size() : open;
        if (!onlyBlankLines(QStringView(t).mid(pos, segmentEnd - pos))) {
            segmentEnd = walk.checkSegment(pos, segmentEnd);
            if (segmentEnd < 0) {
                cancelled = true;
                break;
            }
        }
        if (open < 0)
            break;
        if (comment) {
            const int close = t.indexOf(QLatin1String("-->"), segmentEnd + 4);
            if (close < 0) {
                prompts.information(SpellTexts::UnclosedComment);
                break;
            }
            pos = close + 3;
        } else {
            const int close = int(tagClose(t, segmentEnd));
            if (close < 0)
                break;
            pos = close + 1;
        }
    }

    if (options.convertEntities) {
        const TextEdits edits = planCharactersToEntities(t);
        if (!edits.isEmpty())
            host.applyEdits(edits);
    }
    return cancelled ? SpellCheckOutcome::Cancelled : SpellCheckOutcome::Completed;
}
