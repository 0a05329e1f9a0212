// A picture or form control standing in the text of a section as one placeholder character.
#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>

struct InlineObject {
    static constexpr char16_t Placeholder = 4;

    enum class Type : quint8 { Image, Control };
    enum class ImageAlign : quint8 { Bottom, Middle, Top, Left, Right };
    enum class ControlKind : quint8 {
        TextField,
        Password,
        Submit,
        Reset,
        Radio,
        Checkbox,
        Hidden,
        Button,
        Select,
        TextArea
    };

    Type type = Type::Image;
    int position = 0; // index of the placeholder in the section text

    // Images.
    QString source;
    QString alt;
    ImageAlign align = ImageAlign::Bottom;
    int border = 0;
    bool isMap = false;

    // Form controls.
    ControlKind kind = ControlKind::TextField;
    QString name;
    QString value;
    bool checked = false;
    bool multiple = false;
    int size = 0;
    int maxLength = 0;
    int cols = 0;
    int rows = 0;
    QStringList options; // SELECT items, TEXTAREA lines
    int selectedOption = -1;

    // Layout.
    int width = 0;
    int height = 0;
    int x = 0; // in the cell's coordinates
    int y = 0; // in document coordinates
    bool placed = false;

    bool isFloat() const {
        return type == Type::Image && (align == ImageAlign::Left || align == ImageAlign::Right);
    }
};
