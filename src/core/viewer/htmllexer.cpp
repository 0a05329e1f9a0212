#include "viewer/htmllexer.h"

namespace {

const QString OpenCommentError = QStringLiteral("Open Comment at End of HTML File");

bool isAsciiLetter(char16_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char16_t c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char16_t c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
char16_t upper(char16_t c) {
    return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c;
}
bool isWhite(char16_t c) {
    return c == ' ' || c == '\r';
}

// A decimal number as the whole of `text` (an optional sign allowed), or 0.
int decimalValue(const QString &text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

HtmlLexer::HtmlLexer(QStringView source) : m_src(source) {}

const HtmlLexer::Attribute *HtmlLexer::attribute(HtmlAttr name) const {
    for (const Attribute &a : m_attributes)
        if (a.name == name)
            return &a;
    return nullptr;
}

bool HtmlLexer::isBlankText() const {
    if (m_kind != Kind::Text)
        return false;
    for (QChar c : m_text)
        if (c != u' ')
            return false;
    return true;
}

char16_t HtmlLexer::peekRaw(qsizetype offset) const {
    const qsizetype i = m_pos + offset;
    return i < m_src.size() ? m_src[i].unicode() : Eof;
}

// Line ends become one '\r', tabs a space; comments and declarations vanish here so that no
// other layer has to know about them.
char16_t HtmlLexer::getChar() {
    if (m_hasPushed) {
        m_hasPushed = false;
        m_charAt = m_pushedAt;
        return m_pushed;
    }
    for (;;) {
        if (m_pos >= m_src.size() || failed() || m_stopped)
            return Eof;
        m_charAt = int(m_pos);
        const char16_t c = m_src[m_pos++].unicode();
        switch (c) {
        case '\r':
            if (peekRaw() == '\n')
                ++m_pos;
            return '\r';
        case '\n':
            if (peekRaw() == '\r')
                ++m_pos;
            return '\r';
        case '\t':
            return ' ';
        case '<':
            if (peekRaw() == '!') {
                ++m_pos;
                skipComment();
                continue;
            }
            return c;
        case Eof: // a lone U+FFFF in the text must not look like the end of input
            return 0xFFFD;
        default:
            return c;
        }
    }
}

void HtmlLexer::skipComment() {
    if (peekRaw() == '-' && peekRaw(1) == '-') {
        m_pos += 2;
        // Only "--" followed by optional white space and ">" closes a comment.
        for (;;) {
            const qsizetype dash = m_src.indexOf(u"--", m_pos);
            if (dash < 0)
                break;
            qsizetype i = dash + 2;
            while (i < m_src.size() && (m_src[i] == u' ' || m_src[i] == u'\r' ||
                                        m_src[i] == u'\n' || m_src[i] == u'\t'))
                ++i;
            if (i < m_src.size() && m_src[i] == u'>') {
                m_pos = i + 1;
                return;
            }
            m_pos = dash + 1;
        }
    } else {
        const qsizetype close = m_src.indexOf(u'>', m_pos);
        if (close >= 0) {
            m_pos = close + 1;
            return;
        }
    }
    m_pos = m_src.size();
    m_error = OpenCommentError;
}

void HtmlLexer::skipWhite(char16_t &ch) {
    while (isWhite(ch))
        ch = getChar();
}

void HtmlLexer::next() {
    m_text.clear();
    m_textSources.clear();
    m_tag = HtmlTag::Unknown;
    m_headingLevel = 0;
    if (m_stop && (++m_symbolCount & 255) == 0 && m_stop->load(std::memory_order_relaxed))
        m_stopped = true;
    if (m_limit >= 0 && m_pos > m_limit && !m_hasPushed)
        m_stopped = true;
    const char16_t c = getChar();
    m_symbolStart = m_charAt;
    if (c == Eof) {
        m_kind = Kind::End;
        return;
    }
    if (c == '<') {
        readTag();
        return;
    }
    if (c == '&') {
        readEntity();
        return;
    }
    if (m_preformatted) {
        if (c == '\r') {
            m_kind = Kind::Newline;
            return;
        }
        if (c < 32) {
            m_kind = Kind::Stray;
            return;
        }
        readText(c);
        return;
    }
    if (c == '>' || (c < 32 && c != '\r')) {
        m_kind = Kind::Stray;
        m_text = QChar(c);
        m_textSources.add(0, m_symbolStart);
        return;
    }
    readText(c);
}

void HtmlLexer::readText(char16_t first) {
    m_kind = Kind::Text;
    char16_t c = first;
    int count = 0;
    while (count < MaxTextRun) {
        if (c == Eof || c == '<' || c == '&')
            break;
        if (m_preformatted) {
            if (c == '\r' || c < 32)
                break;
            m_textSources.add(int(m_text.size()), m_charAt);
            m_text.append(QChar(c));
        } else {
            if (c == '>' || (c < 32 && c != '\r'))
                break;
            if (isWhite(c)) {
                if (!m_text.endsWith(u' ')) {
                    m_textSources.add(int(m_text.size()), m_charAt);
                    m_text.append(u' ');
                }
            } else {
                m_textSources.add(int(m_text.size()), m_charAt);
                m_text.append(QChar(c));
            }
        }
        ++count;
        c = getChar();
    }
    if (c != Eof)
        unget(c);
}

void HtmlLexer::readTag() {
    char16_t c = getChar();
    skipWhite(c);
    bool endForm = false;
    if (c == '/') {
        endForm = true;
        c = getChar();
    }
    QString name;
    while (isAsciiLetter(c)) {
        if (name.size() < MaxNameLength)
            name.append(QChar(upper(c)));
        c = getChar();
    }
    m_kind = endForm ? Kind::EndTag : Kind::Tag;
    m_tag = HtmlTables::tagFromName(name, endForm);
    if (m_tag == HtmlTag::H && c >= '1' && c <= '6') {
        m_headingLevel = c - '0';
        c = getChar();
    }
    // Attributes are read for every tag (so that quoted values may hold ">"), but kept only for
    // the tags that use them.
    const bool keep = !endForm && HtmlTables::keepsAttributes(m_tag);
    m_attributes.clear();
    for (;;) {
        skipWhite(c);
        if (!isAsciiLetter(c))
            break;
        QString attrName;
        while (isAsciiLetter(c)) {
            if (attrName.size() < MaxNameLength)
                attrName.append(QChar(upper(c)));
            c = getChar();
        }
        Attribute attr;
        attr.name = HtmlTables::attributeFromName(attrName);
        skipWhite(c);
        if (c == '=') {
            readAttributeValue(attr);
            c = getChar();
        } else if (attr.name == HtmlAttr::Border) {
            attr.number = 1;
        }
        if (keep && attr.name != HtmlAttr::Unknown)
            m_attributes.push_back(std::move(attr));
    }
    while (c != '>' && c != Eof)
        c = getChar();
    if (m_tag == HtmlTag::Script || m_tag == HtmlTag::Style) {
        if (!endForm) {
            readRawUntilEndTag(m_tag == HtmlTag::Script ? u"SCRIPT" : u"STYLE");
        }
        m_tag = HtmlTag::Unknown;
    }
}

void HtmlLexer::readAttributeValue(Attribute &attr) {
    attr.hasValue = true;
    char16_t c = getChar();
    skipWhite(c);
    if (c == '"' || c == '\'') {
        const char16_t quote = c;
        for (c = getChar(); c != quote && c != '>' && c != Eof; c = getChar())
            if (c != '\r')
                attr.text.append(QChar(c));
        if (c == '>')
            unget(c);
        QString number = attr.text.trimmed();
        if (number.endsWith(u'%'))
            number.chop(1);
        attr.number = decimalValue(number);
        return;
    }
    if (c == '+' || c == '-' || isHexDigit(c)) {
        QString run;
        if (c == '+' || c == '-') {
            run.append(QChar(c));
            c = getChar();
        }
        while (isHexDigit(c)) {
            run.append(QChar(c));
            c = getChar();
        }
        char16_t after = c;
        skipWhite(after);
        const bool ended = after == '>' || after == Eof || isWhite(c) || after == '%';
        if (run.size() > (run.startsWith(u'+') || run.startsWith(u'-') ? 1 : 0) && ended) {
            // A number, possibly followed by "%" after white space.
            attr.text = run;
            attr.number = decimalValue(run);
            if (after != '%')
                unget(after);
            return;
        }
        // Not a number after all (a file name like 2000.gif, a colour like fuchsia): read on
        // as a bare word.
        attr.text = run;
        while (c != Eof && c != '>' && !isWhite(c)) {
            attr.text.append(QChar(c));
            c = getChar();
        }
        unget(c);
        attr.number = decimalValue(attr.text);
        return;
    }
    while (c != Eof && c != '>' && !isWhite(c)) {
        attr.text.append(QChar(c));
        c = getChar();
    }
    unget(c);
    attr.number = decimalValue(attr.text);
}

void HtmlLexer::readEntity() {
    m_kind = Kind::Text;
    m_text = QStringLiteral("&");
    // The character an entity gives, or its text kept as written, stands where it starts.
    m_textSources.add(0, m_symbolStart);
    char16_t c = getChar();
    if (c == '#') {
        m_text.append(u'#');
        c = getChar();
        bool hex = false;
        if (c == 'x' || c == 'X') {
            hex = true;
            m_text.append(QChar(c));
            c = getChar();
        }
        QString digits;
        const int maxDigits = hex ? 6 : 7;
        while ((hex ? isHexDigit(c) : isDigit(c)) && digits.size() < maxDigits) {
            digits.append(QChar(c));
            c = getChar();
        }
        if (c == ';' && !digits.isEmpty()) {
            const uint code = digits.toUInt(nullptr, hex ? 16 : 10);
            if (code == 9 || code == 10 || (code >= 32 && code < 128) ||
                (code >= 160 && code <= 0xFFFF && (code < 0xD800 || code > 0xDFFF) &&
                 code != 0xFFFF)) {
                m_text = QChar(char16_t(code));
            } else if (code >= 128 && code < 160) {
                // Old pages meant the Windows-1252 characters here.
                m_text = QChar(HtmlTables::windows1252(uchar(code)));
            } else if (code > 0xFFFF && code <= 0x10FFFF) {
                m_text = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
            } else {
                m_text = QChar(char16_t(1));
            }
            return;
        }
        m_text.append(digits);
        unget(c);
        return;
    }
    QString name;
    while (isAsciiLetter(c) && name.size() < 6) {
        name.append(QChar(c));
        c = getChar();
    }
    if (c == ';' && !name.isEmpty()) {
        if (auto ch = HtmlTables::entityCharacter(name)) {
            m_text = QChar(*ch);
        } else {
            m_text.append(name);
            m_text.append(u';');
        }
        return;
    }
    m_text.append(name);
    unget(c);
}

QString HtmlLexer::readRawUntilEndTag(QStringView upperName) {
    QString raw;
    for (;;) {
        const char16_t c = getChar();
        if (c == Eof)
            return raw;
        raw.append(QChar(c));
        if (c == '>' || raw.size() < upperName.size() + 2)
            continue;
        // Check whether the raw text ends in "</name".
        const qsizetype start = raw.size() - upperName.size() - 2;
        if (raw[start] != u'<' || raw[start + 1] != u'/')
            continue;
        bool match = true;
        for (qsizetype i = 0; i < upperName.size(); ++i)
            if (upper(raw[start + 2 + i].unicode()) != upperName[i].unicode()) {
                match = false;
                break;
            }
        if (!match)
            continue;
        raw.truncate(start);
        char16_t d = getChar();
        while (d != '>' && d != Eof)
            d = getChar();
        return raw;
    }
}

void HtmlLexer::skipNewline() {
    const char16_t c = getChar();
    if (c != '\r' && c != Eof)
        unget(c);
}
