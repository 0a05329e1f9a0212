#include "wizards/tagcatalogue.h"

#include "text/tagextent.h"

#include <QHash>

namespace {

using M = BrowserMarker;

const QVector<CatalogueEntry> &entries() {
    static const QVector<CatalogueEntry> list = [] {
        struct Raw {
            const char *text;
            M marker;
        };
        static const Raw raw[] = {
            {"<!-- -->", M::None},
            {"<!DOCTYPE ...>", M::None},
            {"<A ...> - </A>", M::None},
            {"<ADDRESS> - </ADDRESS>", M::None},
            {"<APPLET ...> - </APPLET>", M::None},
            {"<AREA ...>", M::None},
            {"<B> - </B>", M::None},
            {"<BASE ...>", M::None},
            {"<BASEFONT ...>", M::None},
            {"<BGSOUND ...>", M::ExplorerOnly},
            {"<BIG> - </BIG>", M::None},
            {"<BLINK> - </BLINK>", M::NetscapeOnly},
            {"<BLOCKQUOTE> - </BLOCKQUOTE>", M::None},
            {"<BODY ...> - </BODY>", M::None},
            {"<BR>", M::None},
            {"<CAPTION> - </CAPTION>", M::None},
            {"<CENTER> - </CENTER>", M::None},
            {"<CITE> - </CITE>", M::None},
            {"<CODE> - </CODE>", M::None},
            {"<COL> - </COL>", M::ExplorerOnly},
            {"<COLGROUP> - </COLGROUP>", M::ExplorerOnly},
            {"<COMMENT> - </COMMENT>", M::ExplorerOnly},
            {"<DD>", M::None},
            {"<DFN> - </DFN>", M::ExplorerOnly},
            {"<DIR> - </DIR>", M::None},
            {"<DIV> - </DIV>", M::None},
            {"<DL> - </DL>", M::None},
            {"<DT>", M::None},
            {"<EM> - </EM>", M::None},
            {"<EMBED ...>", M::NetscapeOnly},
            {"<FONT ...>", M::None},
            {"<FORM> - </FORM>", M::None},
            {"<FRAME ...>", M::None},
            {"<FRAMESET ...> - </FRAMESET>", M::None},
            {"<H1 ...> - </H1>", M::None},
            {"<H2 ...> - </H2>", M::None},
            {"<H3 ...> - </H3>", M::None},
            {"<H4 ...> - </H4>", M::None},
            {"<H5 ...> - </H5>", M::None},
            {"<H6 ...> - </H6>", M::None},
            {"<HEAD> - </HEAD>", M::None},
            {"<HR ...>", M::None},
            {"<HTML> - </HTML>", M::None},
            {"<I> - </I>", M::None},
            {"<IFRAME> - </IFRAME>", M::ExplorerOnly},
            {"<IMG ...>", M::None},
            {"<INPUT ...>", M::None},
            {"<ISINDEX ...>", M::None},
            {"<KBD> - </KBD>", M::None},
            {"<LI>", M::None},
            {"<LINK ...>", M::None},
            {"<LISTING> - </LISTING>", M::None},
            {"<MAP ...> - </MAP>", M::None},
            {"<MARQUEE ...> - </MARQUEE>", M::ExplorerOnly},
            {"<MENU> - </MENU>", M::None},
            {"<META ...>", M::None},
            {"<MULTICOL> - </MULTICOL>", M::NetscapeOnly},
            {"<NEXTID ...>", M::None},
            {"<NOBR>", M::None},
            {"<NOFRAMES>", M::None},
            {"<NOSCRIPT> - </NOSCRIPT>", M::NetscapeOnly},
            {"<OBJECT ...> - </OBJECT>", M::ExplorerOnly},
            {"<OL ...> - </OL>", M::None},
            {"<OPTION>", M::None},
            {"<P ...> - </P>", M::None},
            {"<P>", M::None},
            {"<PARAM ...>", M::None},
            {"<PLAINTEXT>", M::NetscapeOnly},
            {"<PLAINTEXT> - </PLAINTEXT>", M::ExplorerOnly},
            {"<PRE> - </PRE>", M::None},
            {"<S> - </S>", M::None},
            {"<SAMP> - </SAMP>", M::None},
            {"<SCRIPT ...> - </SCRIPT>", M::None},
            {"<SELECT> - </SELECT>", M::None},
            {"<SMALL> - </SMALL>", M::None},
            {"<SPACER>", M::NetscapeOnly},
            {"<SPAN> - </SPAN>", M::ExplorerOnly},
            {"<STRIKE> - </STRIKE>", M::None},
            {"<STRONG> - </STRONG>", M::None},
            {"<SUB> - </SUB>", M::None},
            {"<SUP> - </SUP>", M::None},
            {"<TABLE ...> - </TABLE>", M::None},
            {"<TBODY> - </TBODY>", M::ExplorerOnly},
            {"<TD ...> - </TD>", M::None},
            {"<TEXTAREA ...> - </TEXTAREA>", M::None},
            {"<TFOOT> - </TFOOT>", M::ExplorerOnly},
            {"<TH ...> - </TH>", M::None},
            {"<THEAD> - </THEAD>", M::ExplorerOnly},
            {"<TITLE> - </TITLE>", M::None},
            {"<TR ...> - </TR>", M::None},
            {"<TT> - </TT>", M::None},
            {"<U> - </U>", M::ExplorerOnly},
            {"<UL> - </UL>", M::None},
            {"<VAR> - </VAR>", M::None},
            {"<WBR>", M::None},
            {"<XMP>", M::None},
        };
        QVector<CatalogueEntry> result;
        for (const Raw &r : raw)
            result.append({QString::fromLatin1(r.text), r.marker});
        return result;
    }();
    return list;
}

// One attribute list per key; "(N)" and "(I)" after a name give its marker.
const QHash<QString, QVector<CatalogueAttribute>> &attributeTable() {
    static const QHash<QString, QVector<CatalogueAttribute>> table = [] {
        static const char *const raw[][2] = {
            {"<A ...>", "HREF NAME TITLE REL REV URN METHODS TARGET(N)"},
            {"<APPLET ...>", "CODEBASE CODE ALT NAME WIDTH HEIGHT ALIGN VSPACE HSPACE"},
            {"<AREA ...>", "SHAPE COORDS TARGET NOHREF"},
            {"<BASE ...>", "HREF TARGET(N)"},
            {"<BASEFONT ...>", "SIZE FACE COLOR(I)"},
            {"<BGSOUND ...>", "LOOP(I) DELAY(I)"},
            {"<BODY ...>", "BACKGROUND TEXT LINK VLINK ALINK(N) BGCOLOR BGPROPERTIES(I) "
                           "LEFTMARGIN(I) TOPMARGIN(I)"},
            {"<BR>", "CLEAR"},
            {"<CAPTION>", "ALIGN VALIGN(I)"},
            {"<COL>", "SPAN(I) ALIGN(I)"},
            {"<COLGROUP>", "SPAN(I) ALIGN(I) VALIGN(I)"},
            {"<DIV>", "ALIGN"},
            {"<DL>", "COMPACT(N)"},
            {"<EMBED ...>", "SRC(N) WIDTH(N) HEIGHT(N) BORDER(N) HSPACE(N) VSPACE(N)"},
            {"<FONT ...>", "SIZE COLOR FACE"},
            {"<FORM>", "ACTION METHOD ENCTYPE"},
            {"<FRAME ...>", "SRC NAME MARGINWIDTH MARGINHEIGHT SCROLLING NORESIZE BORDERCOLOR(N) "
                            "FRAMEBORDER FRAMESPACING(I) WIDTH(I) HEIGHT(I) HSPACE(I) VSPACE(I) "
                            "ALIGN(I)"},
            {"<FRAMESET ...>", "ROWS COLS BORDER(N) FRAMEBORDER(N) BORDERCOLOR(N)"},
            {"<H1 ...>", "ALIGN"},
            {"<H2 ...>", "ALIGN"},
            {"<H3 ...>", "ALIGN"},
            {"<H4 ...>", "ALIGN"},
            {"<H5 ...>", "ALIGN"},
            {"<H6 ...>", "ALIGN"},
            {"<HR ...>", "SIZE WIDTH ALIGN NOSHADE COLOR(I)"},
            {"<IMG ...>", "ALIGN ALT ISMAP SRC WIDTH HEIGHT BORDER VSPACE HSPACE LOWSRC(N) USEMAP "
                          "VRML(I)"},
            {"<INPUT ...>", "ALIGN CHECKED MAXLENGTH NAME SIZE SRC TYPE VALUE"},
            {"<ISINDEX ...>", "PROMPT(N) ACTION(N)"},
            {"<LINK ...>", "REL TYPE HREF TITLE"},
            {"<MAP ...>", "NAME"},
            {"<MARQUEE ...>", "ALIGN(I) BEHAVIOR(I) BGCOLOR(I) DIRECTION(I) HEIGHT(I) WIDTH(I) "
                              "HSPACE(I) LOOP(I) SCROLLAMOUNT(I) SCROLLDELAY(I) VSPACE(I)"},
            {"<META ...>", "HTTP-EQUIV NAME CONTENT"},
            {"<MULTICOL>", "COLS(N) GUTTER(N) WIDTH(N)"},
            {"<OBJECT ...>", "CLASSID(I) ID(I) WIDTH(I) HEIGHT(I) CODEBASE(I) DATA(I) CODE(I) "
                             "ALIGN(I) BORDER(I) HSPACE(I) VSPACE(I)"},
            {"<OL ...>", "TYPE START VALUE"},
            {"<PARAM ...>", "NAME(I) VALUE(I)"},
            {"<OPTION>", "DISABLED SELECTED VALUE"},
            {"<P ...>", "ALIGN"},
            {"<SCRIPT ...>", "LANGUAGE SRC"},
            {"<SELECT>", "ERROR MULTIPLE NAME SIZE"},
            {"<SPACER>", "ALIGN(N) SIZE(N) WIDTH(N) TYPE(N) HEIGHT(N)"},
            {"<TABLE ...>", "BORDER CELLSPACING WIDTH HEIGHT ALIGN VALIGN(I) BGCOLOR BORDERCOLOR(I) "
                            "BORDERCOLORLIGHT(I) BORDERCOLORDARK(I) BACKGROUND(I) FRAME(I) RULES(I) "
                            "CELLPADDING(I)"},
            {"<TD ...>", "ROWSPAN COLSPAN ALIGN VALIGN WIDTH HEIGHT NOWRAP BGCOLOR BORDERCOLOR(I) "
                         "BORDERCOLORLIGHT(I) BORDERCOLORDARK(I) BACKGROUND(I)"},
            {"<TEXTAREA ...>", "NAME ROWS COLS WRAP(N)"},
            {"<TH ...>", "ROWSPAN COLSPAN ALIGN VALIGN WIDTH HEIGHT NOWRAP BGCOLOR BORDERCOLOR(I) "
                         "BORDERCOLORLIGHT(I) BORDERCOLORDARK(I) BACKGROUND(I)"},
            {"<TR ...>", "ALIGN VALIGN BGCOLOR BORDERCOLOR(I) BORDERCOLORLIGHT(I) "
                         "BORDERCOLORDARK(I)"},
        };
        QHash<QString, QVector<CatalogueAttribute>> result;
        for (const auto &row : raw) {
            QVector<CatalogueAttribute> attributes;
            const QStringList words =
                QString::fromLatin1(row[1]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (QString word : words) {
                M marker = M::None;
                if (word.endsWith(QLatin1String("(N)")))
                    marker = M::NetscapeOnly;
                else if (word.endsWith(QLatin1String("(I)")))
                    marker = M::ExplorerOnly;
                if (marker != M::None)
                    word.chop(3);
                attributes.append({word, marker});
            }
            result.insert(QString::fromLatin1(row[0]), attributes);
        }
        return result;
    }();
    return table;
}

const QString Separator = QStringLiteral(" - ");

} // namespace

const QVector<CatalogueEntry> &catalogueEntries() {
    return entries();
}

QVector<CatalogueAttribute> catalogueAttributes(const QString &entryText) {
    const int dash = entryText.indexOf(Separator);
    const QString key = dash < 0 ? entryText : entryText.left(dash);
    return attributeTable().value(key);
}

namespace {

QString entryTagName(const QString &entryText) {
    int end = 1;
    while (end < entryText.size() && entryText.at(end) != QLatin1Char(' ') &&
           entryText.at(end) != QLatin1Char('>'))
        ++end;
    return entryText.mid(1, end - 1);
}

} // namespace

const QStringList &catalogueTagNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const CatalogueEntry &e : entries()) {
            const QString name = entryTagName(e.text);
            if (!name.startsWith(QLatin1Char('!')) && !list.contains(name))
                list << name;
        }
        return list;
    }();
    return names;
}

QVector<CatalogueAttribute> catalogueAttributesOfTag(const QString &tagName) {
    const QString name = tagName.toUpper();
    for (const CatalogueEntry &e : entries()) {
        if (entryTagName(e.text) != name)
            continue;
        QVector<CatalogueAttribute> attributes = catalogueAttributes(e.text);
        if (!attributes.isEmpty())
            return attributes;
    }
    return {};
}

bool isFlagAttribute(const QString &name) {
    static const QStringList flags = {QStringLiteral("NORESIZE"), QStringLiteral("ISMAP"),
                                      QStringLiteral("CHECKED"),  QStringLiteral("NOHREF"),
                                      QStringLiteral("DISABLED"), QStringLiteral("SELECTED"),
                                      QStringLiteral("NOWRAP")};
    return flags.contains(name);
}

QString browserMarkerCaption(BrowserMarker marker) {
    switch (marker) {
    case BrowserMarker::NetscapeOnly:
        return QStringLiteral("Netscape Navigator tag/attribute only");
    case BrowserMarker::ExplorerOnly:
        return QStringLiteral("Internet Explorer tag/attribute only");
    case BrowserMarker::None:
        break;
    }
    return QString();
}

ComposedTag composeFromEntry(const QString &entryText) {
    QString text = entryText;
    const int dots = text.indexOf(QLatin1String(" ..."));
    if (dots >= 0)
        text.remove(dots, 4);
    const int dash = text.indexOf(Separator);
    if (dash < 0)
        return {text, QString()};
    return {text.left(dash), text.mid(dash + Separator.size())};
}

QString addAttribute(const QString &startTag, const QString &attribute) {
    if (attribute.isEmpty() || startTag.toUpper().contains(attribute.toUpper()))
        return startTag;
    QString tag = startTag;
    const qsizetype close = tagClose(tag, 0); // not a ">" inside a quoted value
    if (close >= 0)
        tag.remove(close, 1);
    tag += QLatin1Char(' ') + attribute;
    if (!isFlagAttribute(attribute))
        tag += QStringLiteral("=\"\"");
    return tag + QLatin1Char('>');
}

QString helpKeyword(const QString &subject) {
    const int blank = subject.indexOf(QLatin1Char(' '));
    const int close = subject.indexOf(QLatin1Char('>'));
    if (blank < 0 && close < 0)
        return QString();
    const int blankAt = blank < 0 ? 100 : blank;
    const int closeAt = close < 0 ? 100 : close;
    if (blankAt < closeAt)
        return subject.left(blankAt) + QLatin1Char('>');
    return subject.left(closeAt + 1);
}
