#include "wizards/formbuilders.h"

#include "wizards/tagattributes.h"
#include "wizards/htmlattributes.h"
#include "wizards/tablebuilder.h"

#include <QtGlobal>

namespace {

QString onOff(bool checked) {
    return checked ? QStringLiteral("ON\">") : QStringLiteral("OFF\">");
}

QString fontAttributes(const FontFields &f) {
    QString s = colorAttribute("COLOR", f.color);
    s += attribute("SIZE", f.size);
    if (!f.face.isEmpty()) {
        QString faces = f.face;
        for (const QString &alt : {f.altFace1, f.altFace2}) {
            if (!alt.isEmpty())
                faces += QStringLiteral(", ") + alt;
        }
        s += attribute("FACE", faces);
    }
    return s + f.other + QLatin1Char('>');
}

} // namespace

WrapTexts buildFormTag(const FormTagFields &f) {
    // The action is a URL and keeps its letter case: servers tell "Send.cgi" from "SEND.CGI".
    return {QStringLiteral("<FORM") + attribute("METHOD", f.method.toUpper()) +
                attribute("ACTION", f.action) + attribute("ENCTYPE", f.enctype.toUpper()) +
                f.other + QLatin1Char('>'),
            QStringLiteral("</FORM>")};
}

FormTagFields formFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    FormTagFields f;
    f.action = a.attributeValue(QStringLiteral("ACTION"));
    f.method = a.attributeValue(QStringLiteral("METHOD"));
    f.enctype = a.attributeValue(QStringLiteral("ENCTYPE"));
    f.other = a.otherAttributes();
    return f;
}

QStringList textInputTypes() {
    return {QStringLiteral("TEXT"), QStringLiteral("HIDDEN"), QStringLiteral("PASSWORD")};
}

QString buildTextInput(const TextInputFields &f) {
    return QStringLiteral("<INPUT TYPE=\"%1\" NAME=\"%2\" VALUE=\"%3\" SIZE=\"%4\" MAXLENGTH=\"%5\">")
        .arg(textInputTypes().at(int(f.type)), f.name, f.value)
        .arg(f.size)
        .arg(f.maxLength);
}

WrapTexts buildTextArea(const TextAreaFields &f) {
    return {QStringLiteral("<TEXTAREA NAME=\"%1\" ROWS=\"%2\" COLS=\"%3\">")
                .arg(f.name)
                .arg(f.rows)
                .arg(f.columns),
            QStringLiteral("</TEXTAREA>")};
}

QString buildCheckbox(const QString &name, bool checked) {
    return QStringLiteral("<INPUT TYPE=CHECKBOX NAME=\"") + name + QStringLiteral("\" VALUE=\"") +
           onOff(checked);
}

QString buildRadioButton(const QString &name, bool checked) {
    return QStringLiteral("<INPUT TYPE=\"RADIO\" NAME=\"") + name +
           QStringLiteral("\" VALUE=\"") + onOff(checked);
}

QStringList buildDropDownList(const QString &name, int options) {
    options = qBound(1, options, MaxBlockItems);
    QStringList lines{QStringLiteral("<SELECT NAME=\"") + name + QStringLiteral("\">"),
                      QStringLiteral("   <OPTION SELECTED>")};
    for (int i = 1; i < options; ++i)
        lines << QStringLiteral("   <OPTION>");
    lines << QStringLiteral("</SELECT>") << BlockEnd << caretCode(20, options + 1);
    return lines;
}

QStringList buildQuickList(bool ordered, int items) {
    items = qBound(1, items, MaxBlockItems);
    const QString tag = ordered ? QStringLiteral("OL>") : QStringLiteral("UL>");
    QStringList lines{QLatin1Char('<') + tag};
    for (int i = 0; i < items; ++i)
        lines << QStringLiteral("\t<LI>");
    lines << QStringLiteral("</") + tag << BlockEnd << caretCode(5, items + 1);
    return lines;
}

QStringList buildDefinitionList(int items) {
    items = qBound(1, items, MaxBlockItems);
    QStringList lines{QStringLiteral("<DL>")};
    for (int i = 0; i < items; ++i)
        lines << QStringLiteral("\t<DT><DD>");
    lines << QStringLiteral("</DL>") << BlockEnd << caretCode(5, items + 1);
    return lines;
}

WrapTexts buildFontTag(const FontFields &f) {
    return {QStringLiteral("<FONT") + fontAttributes(f), QStringLiteral("</FONT>")};
}

QString buildBaseFontTag(const FontFields &f) {
    return QStringLiteral("<BASEFONT") + fontAttributes(f);
}

FontFields fontFieldsFromTag(const QString &tag) {
    TagAttributes a(tag);
    FontFields f;
    const QString color = a.attributeValue(QStringLiteral("COLOR"));
    if (!color.isEmpty())
        f.color = color;
    f.size = a.attributeValue(QStringLiteral("SIZE"));
    const QStringList faces = a.attributeValue(QStringLiteral("FACE")).split(u',');
    QString *fields[] = {&f.face, &f.altFace1, &f.altFace2};
    for (int i = 0; i < faces.size(); ++i) {
        QString &field = *fields[qMin(i, 2)];
        if (i > 2)
            field += QStringLiteral(", ");
        field += faces[i].trimmed();
    }
    f.other = a.otherAttributes();
    return f;
}

QStringList fontSizeItems() {
    return {QStringLiteral("+7"), QStringLiteral("+6"), QStringLiteral("+5"), QStringLiteral("+4"),
            QStringLiteral("+3"), QStringLiteral("+2"), QStringLiteral("+1"), QStringLiteral("-1"),
            QStringLiteral("-2"), QStringLiteral("-3"), QStringLiteral("-4"), QStringLiteral("-5"),
            QStringLiteral("-6"), QStringLiteral("-7"), QStringLiteral("7"),  QStringLiteral("6"),
            QStringLiteral("5"),  QStringLiteral("4"),  QStringLiteral("3"),  QStringLiteral("2"),
            QStringLiteral("1"),  QStringLiteral("0"),  QString()};
}

QStringList baseFontSizeItems() {
    return {QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"),
            QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")};
}
