// The fixed vocabulary of the viewer's reader: tag and attribute names, character entities,
// colour names and the font size scales of HTML 3.2 era markup.
#pragma once

#include <QColor>
#include <QString>
#include <QStringView>
#include <optional>

enum class HtmlTag : quint8 {
    Unknown,
    // With an end form.
    Html,
    Title,
    Body,
    Head,
    B,
    I,
    H,
    Em,
    Strong,
    U,
    Cite,
    Var,
    Tt,
    Code,
    Kbd,
    Samp,
    Ol,
    Ul,
    Dir,
    Menu,
    Dl,
    A,
    Address,
    Blockquote,
    Pre,
    Center,
    Table,
    Td,
    Th,
    Caption,
    Form,
    Textarea,
    Select,
    Option,
    Font,
    Sub,
    Sup,
    Big,
    Small,
    P,
    // Without one.
    Li,
    Br,
    Hr,
    Dd,
    Dt,
    Img,
    Base,
    Tr,
    Button,
    Input,
    Selected,
    Basefont,
    // Not part of the vocabulary, but their content is never shown as text.
    Script,
    Style
};

enum class HtmlAttr : quint8 {
    Unknown,
    Href,
    Name,
    Src,
    Alt,
    Align,
    Text,
    BgColor,
    Link,
    Background,
    ColSpan,
    RowSpan,
    Border,
    CellPadding,
    CellSpacing,
    VAlign,
    Width,
    Start,
    Value,
    Type,
    Checkbox,
    Radio,
    Method,
    Action,
    Checked,
    Size,
    MaxLength,
    Cols,
    Rows,
    Multiple,
    Selected,
    Face,
    Color,
    Transp,
    Clear,
    IsMap
};

namespace HtmlTables {

constexpr int TagCount = 52;
constexpr int TagsWithEndForm = 40;
constexpr int AttributeCount = 36;
constexpr int EntityCount = 71;
constexpr int ColorCount = 16;

// Looks up an upper-case tag name; `endForm` asks for the "/NAME" form.
HtmlTag tagFromName(QStringView upperName, bool endForm);
// Upper-case name of a tag (for diagnostics and tests).
QString tagName(HtmlTag tag);
// Whether the reader keeps the attributes of this tag (others are read and dropped).
bool keepsAttributes(HtmlTag tag);

HtmlAttr attributeFromName(QStringView upperName);

// The character a named entity stands for (case-sensitive name), or nothing.
std::optional<char16_t> entityCharacter(QStringView name);
// The number of names in the entity table, including the two unnamed Latin-1 slots.
int entityTableSize();

// One of the 16 colour names (any case), or nothing.
std::optional<QRgb> namedColor(QStringView name);
// A colour value of an attribute: a colour name, else hexadecimal RRGGBB with an optional "#".
std::optional<QRgb> parseColor(QStringView value);

// Nominal point sizes of the HTML sizes 1 to 7.
int proportionalSize(int htmlSize);
int fixedSize(int htmlSize);
// The HTML size (1..7) whose nominal size is `points` on the given scale, or 0.
int htmlSizeOf(int points, bool fixedPitch);
// Nominal size and weight of a heading; level 0 is a heading without a level.
int headingSize(int level);
bool headingBold(int level);

// The Windows-1252 character a byte from 0x80 to 0x9F stands for (others map to themselves).
char16_t windows1252(uchar byte);

} // namespace HtmlTables
