#include "editor/tagtables.h"

QStringList tagPageTitles() {
    return {QStringLiteral("Common"), QStringLiteral("Additional"), QStringLiteral("Fonts"),
            QStringLiteral("Forms"),  QStringLiteral("Special"),    QStringLiteral("Tags"),
            QStringLiteral("All Attributes"), QStringLiteral("User")};
}

namespace {

WrapCommand cmd(const char *start, const char *end, TagPage page, const char *hint,
                const char *caption, const char *icon = "", const char *menu = "",
                QKeySequence shortcut = {}) {
    return {QString::fromUtf8(start), QString::fromUtf8(end),     page,
            QString::fromUtf8(hint),  QString::fromUtf8(caption), QString::fromUtf8(icon),
            QString::fromUtf8(menu),  shortcut};
}

QVector<WrapCommand> buildWrapCommands() {
    using P = TagPage;
    QVector<WrapCommand> c;
    c << cmd("<P>", "", P::Common, "Paragraph", "", "paragraph", "Paragraph",
             QKeySequence(Qt::SHIFT | Qt::Key_Return))
      << cmd("<BR>", "", P::Common, "Line Break", "BR", "", "Break",
             QKeySequence(Qt::CTRL | Qt::Key_Return))
      << cmd("<B>", "</B>", P::Common, "Bold Face", "B", "", "Bold",
             QKeySequence(Qt::CTRL | Qt::Key_B))
      << cmd("<I>", "</I>", P::Common, "Italic Face", "I", "", "Italic",
             QKeySequence(Qt::CTRL | Qt::Key_I))
      << cmd("<U>", "</U>", P::Common, "Underlined Face", "U", "", "Underlined",
             QKeySequence(Qt::CTRL | Qt::Key_U));
    c.last().endsMenuGroup = true;
    c << cmd("<CENTER>", "</CENTER>", P::Common, "Center", "", "center")
      << cmd("<P ALIGN=RIGHT>", "</P>", P::Common, "Right", "", "align-right")
      << cmd("<HR>", "", P::Common, "Horizontal Line", "", "hrule")
      << cmd("<!--", "-->", P::Common, "Comment", "", "comment");

    c << cmd("<MAP NAME=\"\">", "<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">", P::Additional,
             "ImageMap", "", "imagemap")
      << cmd("<TR>", "</TR>", P::Additional, "Table row", "TR")
      << cmd("<TD>", "</TD>", P::Additional, "Table data", "TD")
      << cmd("<LI>", "", P::Additional, "List item", "LI")
      << cmd("<UL>", "</UL>", P::Additional, "Unordered list", "UL")
      << cmd("<OL>", "</OL>", P::Additional, "Ordered list", "OL")
      << cmd("<MENU>", "</MENU>", P::Additional, "Menu item", "M")
      << cmd("<DL>", "</DL>", P::Additional, "Definition list", "DL")
      << cmd("<DT>", "", P::Additional, "Definition term", "DT")
      << cmd("<DD>", "", P::Additional, "Definition", "DD");

    c << cmd("<PRE>", "</PRE>", P::Fonts, "Preformatted text", "Pre")
      << cmd("<SUB>", "</SUB>", P::Fonts, "subscript", "sub")
      << cmd("<SUP>", "</SUP>", P::Fonts, "superscript", "sup")
      << cmd("<STRONG>", "</STRONG>", P::Fonts, "strong", "S")
      << cmd("<EM>", "</EM>", P::Fonts, "Emphasis", "EM")
      << cmd("<CITE>", "</CITE>", P::Fonts, "Citation", "cite")
      << cmd("<CODE>", "</CODE>", P::Fonts, "Code", "code");
    for (int level = 1; level <= 6; ++level) {
        const QString n = QString::number(level);
        c << WrapCommand{QStringLiteral("<H%1>").arg(n),
                         QStringLiteral("</H%1>").arg(n),
                         P::Fonts,
                         QStringLiteral("Heading %1").arg(n),
                         QStringLiteral("H%1").arg(n),
                         QString(),
                         QStringLiteral("Heading %1").arg(n),
                         QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + level))};
    }

    c << cmd("<INPUT TYPE=\"SUBMIT\" VALUE=\"", "\">", P::Forms, "Submit", "", "submit")
      << cmd("<INPUT TYPE=\"RESET\" VALUE=\"", "\">", P::Forms, "Reset form", "", "reset")
      << cmd("<FRAMESET>", "</FRAMESET>", P::Forms, "Frameset", "set")
      << cmd("<FRAME>", "</FRAME>", P::Forms, "Frame", "fra")
      << cmd("<NOFRAMES>", "</NOFRAMES>", P::Forms, "Noframes", "no");

    c << cmd("&amp;", "", P::Special, "Ampersand", "&")
      << cmd("&copy;", "", P::Special, "Copyright", "©")
      << cmd("&reg;", "", P::Special, "Registered trademark", "®")
      << cmd("&quot;", "", P::Special, "Quote", "\"")
      << cmd("&#182;", "", P::Special, "Paragraph", "¶")
      << cmd("&#183;", "", P::Special, "Dot", "·")
      << cmd("&#188;", "", P::Special, "Fraction one-fourth", "¼")
      << cmd("&#189;", "", P::Special, "Fraction one-half", "½")
      << cmd("&#190;", "", P::Special, "Fraction three-fourths", "¾")
      << cmd("&#191;", "", P::Special, "Inverted question mark", "¿")
      << cmd("&#177;", "", P::Special, "Plus or minus", "±");
    return c;
}

} // namespace

const QVector<WrapCommand> &wrapCommands() {
    static const QVector<WrapCommand> commands = buildWrapCommands();
    return commands;
}

const QStringList &tagTemplates() {
    static const QStringList templates = {
        QStringLiteral("<!--...-->"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"\">"),
        QStringLiteral("<A HREF=\"\">...</A>"),
        QStringLiteral("<A NAME=\"\">...</A>"),
        QStringLiteral("<ADDRESS>...</ADDRESS>"),
        QStringLiteral("<APPLET CODE=\"\">...</APPLET>"),
        QStringLiteral("<AREA SHAPE=\"\" COORDS=\"\" HREF=\"\">"),
        QStringLiteral("<B>...</B>"),
        QStringLiteral("<BASE HREF=\"\">"),
        QStringLiteral("<BASE TARGET=\"\">"),
        QStringLiteral("<BASEFONT SIZE= FACE= COLOR=>"),
        QStringLiteral("<BGSOUND SRC=\"\" LOOP=>"),
        QStringLiteral("<BIG>...</BIG>"),
        QStringLiteral("<BLINK>...</BLINK>"),
        QStringLiteral("<BLOCKQUOTE>...</BLOCKQUOTE>"),
        QStringLiteral("<BODY BACKGROUND= LINK=\"#\" VLINK=\"#\" ALINK=\"#\">...</BODY>"),
        QStringLiteral("<BR>"),
        QStringLiteral("<CAPTION>...</CAPTION>"),
        QStringLiteral("<CENTER>...</CENTER>"),
        QStringLiteral("<CITE>...</CITE>"),
        QStringLiteral("<CODE>...</CODE>"),
        QStringLiteral("<COL>...</COL>"),
        QStringLiteral("<COLGROUP>...</COLGROUP>"),
        QStringLiteral("<COMMENT>...</COMMENT>"),
        QStringLiteral("<DD>"),
        QStringLiteral("<DFN>...</DFN>"),
        QStringLiteral("<DIR>...</DIR>"),
        QStringLiteral("<DIV ALIGN=>...</DIV>"),
        QStringLiteral("<DL>...</DL>"),
        QStringLiteral("<DT>"),
        QStringLiteral("<EM>...</EM>"),
        QStringLiteral("<EMBED SRC=\"\">"),
        QStringLiteral("<FONT SIZE=\"\" COLOR=\"\" FACE=\"\">...</FONT> "),
        QStringLiteral("<FONT SIZE=1>...</FONT>"),
        QStringLiteral("<FONT SIZE=2>...</FONT>"),
        QStringLiteral("<FONT SIZE=3>...</FONT>"),
        QStringLiteral("<FONT SIZE=4>...</FONT>"),
        QStringLiteral("<FONT SIZE=5>...</FONT>"),
        QStringLiteral("<FONT SIZE=6>...</FONT>"),
        QStringLiteral("<FONT SIZE=7>...</FONT>"),
        QStringLiteral("<FORM METHOD=\"\" ACTION=\"\">...</FORM>"),
        QStringLiteral("<FRAME>"),
        QStringLiteral("<FRAMESET ROWS=\"\" COLS=\"\">...</FRAMESET>"),
        QStringLiteral("<H1>...</H1>"),
        QStringLiteral("<H2>...</H2>"),
        QStringLiteral("<H3>...</H3>"),
        QStringLiteral("<H4>...</H4>"),
        QStringLiteral("<H5>...</H5>"),
        QStringLiteral("<H6>...</H6>"),
        QStringLiteral("<HEAD>...</HEAD>"),
        QStringLiteral("<HR>"),
        QStringLiteral("<HTML>...</HTML>"),
        QStringLiteral("<I>...</I>"),
        QStringLiteral("<IMG SRC=\"\" ALT=\"\">"),
        QStringLiteral("<INPUT>"),
        QStringLiteral("<ISINDEX>"),
        QStringLiteral("<KBD>...</KBD>"),
        QStringLiteral("<LI>"),
        QStringLiteral("<LISTING>...</LISTING>"),
        QStringLiteral("<MAP NAME=\"\">"),
        QStringLiteral("<MARQUEE>...</MARQUEE>"),
        QStringLiteral("<MENU>...</MENU>"),
        QStringLiteral("<META>"),
        QStringLiteral("<NEXTID>"),
        QStringLiteral("<NOBR>...</NOBR>"),
        QStringLiteral("<NOFRAME>"),
        QStringLiteral("<NOFRAMES> "),
        QStringLiteral("<OBJECT>...</OBJECT>"),
        QStringLiteral("<OL>...</OL>"),
        QStringLiteral("<OPTION>"),
        QStringLiteral("<P>"),
        QStringLiteral("<PARAM NAME=\"\" VALUE=\"\">"),
        QStringLiteral("<PRE>...</PRE>"),
        QStringLiteral("<STRIKE>...</STRIKE>"),
        QStringLiteral("<STRONG> ... </STRONG>"),
        QStringLiteral("<SUB>...</SUB>"),
        QStringLiteral("<SUP>...</SUP>"),
        QStringLiteral("<TABLE>...</TABLE>"),
        QStringLiteral("<TBODY>...</TBODY>"),
        QStringLiteral("<TD>...</TD>"),
        QStringLiteral("<TEXTAREA>...</TEXTAREA>"),
        QStringLiteral("<TFOOT>...</TFOOT>"),
        QStringLiteral("<TH>...</TH>"),
        QStringLiteral("<THEAD>...</THEAD>"),
        QStringLiteral("<TITLE>...</TITLE>"),
        QStringLiteral("<TR>...</TR>"),
        QStringLiteral("<TT>...</TT>"),
        QStringLiteral("<U>...</U>"),
        QStringLiteral("<VAR>...</VAR>"),
        QStringLiteral("<WBR>"),
        QStringLiteral("<XMP> ... </XMP>"),
    };
    return templates;
}

const QStringList &attributeNames() {
    static const QStringList names = QStringLiteral(
        "ACTION ALIGN ALINK ALT BACKGROUND BEHAVIOR BGCOLOR BGPROPERTIES BORDER BORDERCOLOR "
        "BORDERCOLORDARK BORDERCOLORLIGHT CELLPADDING CELLSPACING CHECKED CLEAR CODE CODEBASE "
        "COLOR COLS COLSPAN COMPACT CONTENT COORDS DELAY DIRECTION FACE FRAME FRAMEBORDER "
        "FRAMESPACING GUTTER HEIGHT HREF HSPACE HTTP-EQUIV ISMAP LANGUAGE LEFTMARGIN LINK LOOP "
        "LOWSRC MARGINHEIGHT MARGINWIDTH MAXLENGTH METHODS NAME NORESIZE NOSHADE NOWRAP PROMPT "
        "REV ROWS ROWSPAN RULES SCROLLAMOUNT SCROLLDELAY SCROLLING SHAPE SIZE SPAN SRC START "
        "TARGET TEXT TITLE TOPMARGIN TYPE URN USEMAP VALIGN VALUE VLINK VRML VSPACE WIDTH WRAP")
                                      .split(QLatin1Char(' '));
    return names;
}

TemplateParts splitTemplate(const QString &tagTemplate) {
    const int dots = tagTemplate.indexOf(QStringLiteral("..."));
    if (dots < 0)
        return {tagTemplate, QString()};
    return {tagTemplate.left(dots), tagTemplate.mid(dots + 3)};
}
