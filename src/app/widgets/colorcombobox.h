// A drop-down of colours: each item is a name ("red", "#541484", "default") drawn beside a
// swatch of its colour. Every colour field of the wizards uses it.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QStringList>

class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorComboBox(QWidget *parent = nullptr);

    // Replaces the items: `leading` items ("default", "no", ...) first, then every name of `names`
    // with the colour its text stands for. Selects the first item.
    void setColorList(const QStringList &names, const QList<QPair<QString, QColor>> &leading = {});
    // Appends an item; an invalid colour draws an empty swatch. Returns its index.
    int addColor(const QString &name, const QColor &color);
    // Index of the item with exactly this name, or -1.
    int findColor(const QString &name) const;
    // Selects the item of this name; false (selection unchanged) when there is none.
    bool selectColor(const QString &name);
    // Selects the item of this name, adding it first when there is none (without a swatch when
    // it names no colour the program knows): a value read from a page is kept as it stands.
    void selectOrKeep(const QString &name);
    QString selectedName() const;
    // The selected item's colour; invalid when nothing is selected or the item has no colour.
    QColor selectedColor() const;
    QColor colorAt(int index) const;

    // Adds `text` as an item when it is not one yet and names a colour; true when it was added.
    bool addColorText(const QString &text);
    // Adds `text` to every box that lacks it (the colour fields of one dialog share their items).
    // True when the text names a colour that was new to at least one box.
    static bool addColorTextToAll(const QList<ColorComboBox *> &boxes, const QString &text);

private:
    static QIcon swatch(const QColor &color);
};
