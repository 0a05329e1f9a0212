// The two lower layers of the reader: characters (line ends, tabs, comments) and symbols (tags
// with their attributes, entities, text runs). Works on decoded text; one lexer per document.
#pragma once

#include "viewer/htmltables.h"
#include "viewer/sourcemap.h"

#include <QString>
#include <QStringView>
#include <atomic>
#include <vector>

class HtmlLexer {
public:
    enum class Kind {
        End,     // end of input (or a parse error)
        Tag,     // a start tag; see tag(), headingLevel(), attributes()
        EndTag,  // an end tag
        Text,    // a run of text or the character of an entity
        Newline, // a line end inside preformatted text
        Stray    // a character that starts no run, such as ">" outside preformatted text
    };

    struct Attribute {
        HtmlAttr name = HtmlAttr::Unknown;
        int number = 0; // the value read as a decimal number, 0 when it is none
        QString text;   // the value as written (without quotes)
        bool hasValue = false;
    };

    static constexpr char16_t Eof = 0xFFFF;
    static constexpr int MaxNameLength = 150;
    static constexpr int MaxTextRun = 100;

    explicit HtmlLexer(QStringView source);

    // Reads the next symbol.
    void next();
    // Reading goes on at `position` of the source (the start of a symbol).
    void seek(qsizetype position) {
        m_pos = position;
        m_hasPushed = false;
    }

    Kind kind() const { return m_kind; }
    HtmlTag tag() const { return m_tag; }
    // 1..6 for H1..H6, 0 for an H without a level digit.
    int headingLevel() const { return m_headingLevel; }
    const QString &text() const { return m_text; }
    const std::vector<Attribute> &attributes() const { return m_attributes; }
    const Attribute *attribute(HtmlAttr name) const;
    // Where the current symbol starts in the source (the "<" of a tag, the "&" of an entity).
    int symbolStart() const { return m_symbolStart; }
    // Where the characters of the current text run were read.
    const SourceMap &textSources() const { return m_textSources; }

    bool isTag(HtmlTag tag) const { return m_kind == Kind::Tag && m_tag == tag; }
    bool isEndTag(HtmlTag tag) const { return m_kind == Kind::EndTag && m_tag == tag; }
    // True for a text run made of spaces only.
    bool isBlankText() const;

    // Inside preformatted text spaces are kept, line ends are symbols and ">" is text.
    void setPreformatted(bool on) { m_preformatted = on; }
    bool preformatted() const { return m_preformatted; }

    // Reads raw characters up to the end tag `upperName` (compared without regard to case) and
    // past its ">". Line ends arrive as '\r'.
    QString readRawUntilEndTag(QStringView upperName);
    // Skips one line end if it comes next.
    void skipNewline();

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    // Reading ends (as at the end of input) once `*stop` is set; looked at every few symbols.
    void setStopFlag(const std::atomic<bool> *stop) { m_stop = stop; }
    // Reading also ends (as if stopped) at the first symbol that starts after `position`.
    void setLimit(qsizetype position) { m_limit = position; }
    bool stopped() const { return m_stopped; }

private:
    char16_t getChar();
    // Only the character read last is ever pushed back.
    void unget(char16_t ch) {
        m_pushed = ch;
        m_pushedAt = m_charAt;
        m_hasPushed = true;
    }
    char16_t peekRaw(qsizetype offset = 0) const;
    void skipComment();
    void skipWhite(char16_t &ch);
    void readTag();
    void readAttributeValue(Attribute &attr);
    void readEntity();
    void readText(char16_t first);

    QStringView m_src;
    qsizetype m_pos = 0;
    char16_t m_pushed = 0;
    bool m_hasPushed = false;
    bool m_preformatted = false;
    QString m_error;
    int m_charAt = 0;   // source offset of the character getChar() returned last
    int m_pushedAt = 0; // and of the one pushed back
    int m_symbolStart = 0;
    SourceMap m_textSources;
    const std::atomic<bool> *m_stop = nullptr;
    bool m_stopped = false;
    qsizetype m_limit = -1;
    unsigned m_symbolCount = 0;

    Kind m_kind = Kind::End;
    HtmlTag m_tag = HtmlTag::Unknown;
    int m_headingLevel = 0;
    QString m_text;
    std::vector<Attribute> m_attributes;
};
