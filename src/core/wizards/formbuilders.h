// The HTML of the form-element, font, basefont and list dialogs. Single tags come back as a
// start and end text for wrapping the selection; multi-line elements as blocks of lines for the
// editor's block insertion (lines, "\end", caret code).
#pragma once

#include <QString>
#include <QStringList>

struct WrapTexts {
    QString start;
    QString end;
    bool operator==(const WrapTexts &o) const { return start == o.start && end == o.end; }
};

struct FormTagFields {
    QString action;
    QString method;
    QString enctype;
    QString other; // attributes the dialog has no field for, as written (" NAME=f")
};
// "<FORM METHOD=.. ACTION=.. ENCTYPE=..>" around the selection and "</FORM>".
WrapTexts buildFormTag(const FormTagFields &f);
FormTagFields formFieldsFromTag(const QString &tag);

struct TextInputFields {
    enum class Type { Text, Hidden, Password };
    Type type = Type::Text;
    QString name;
    QString value;
    int size = 0;
    int maxLength = 0;
};
QString buildTextInput(const TextInputFields &f);
// The TYPE values of the three kinds, in the order of TextInputFields::Type.
QStringList textInputTypes();

struct TextAreaFields {
    QString name;
    int rows = 0;
    int columns = 0;
};
WrapTexts buildTextArea(const TextAreaFields &f);

QString buildCheckbox(const QString &name, bool checked);
QString buildRadioButton(const QString &name, bool checked);

// The largest item count whose caret code still fits its two digits.
constexpr int MaxBlockItems = 98;
// "<SELECT NAME=..>" with `options` OPTION lines, the first one SELECTED; caret after it.
QStringList buildDropDownList(const QString &name, int options);
// `items` "\t<LI>" lines in UL or OL; caret after the first "<LI>".
QStringList buildQuickList(bool ordered, int items);
// `items` "\t<DT><DD>" lines in DL; caret between the first "<DT>" and "<DD>".
QStringList buildDefinitionList(int items);

struct FontFields {
    QString size;
    QString color = QStringLiteral("no");
    QString face;
    QString altFace1;
    QString altFace2; // with any further faces of the tag ("c, d")
    QString other;
};
// "<FONT ...>" and "</FONT>".
WrapTexts buildFontTag(const FontFields &f);
// "<BASEFONT ...>" with no end text.
QString buildBaseFontTag(const FontFields &f);
// COLOR, SIZE and FACE of a FONT or BASEFONT tag: its first two names, then the rest; the
// tag's other attributes are kept.
FontFields fontFieldsFromTag(const QString &tag);

// Fontsize items of the font and basefont dialogs.
QStringList fontSizeItems();
QStringList baseFontSizeItems();
