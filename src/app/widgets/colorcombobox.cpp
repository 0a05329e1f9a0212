#include "widgets/colorcombobox.h"

#include "wizards/htmlcolors.h"

#include <QPainter>
#include <QPixmap>

namespace {
constexpr int ColorRole = Qt::UserRole + 1;
constexpr int SwatchSize = 14;
} // namespace

ColorComboBox::ColorComboBox(QWidget *parent) : QComboBox(parent) {
    setIconSize(QSize(SwatchSize, SwatchSize));
    setMaxVisibleItems(16);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(9);
}

QIcon ColorComboBox::swatch(const QColor &color) {
    QPixmap pixmap(SwatchSize, SwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (color.isValid())
        painter.fillRect(QRect(1, 1, SwatchSize - 2, SwatchSize - 2), color);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(QRect(0, 0, SwatchSize - 1, SwatchSize - 1));
    if (!color.isValid())
        painter.drawLine(2, SwatchSize - 3, SwatchSize - 3, 2);
    return QIcon(pixmap);
}

void ColorComboBox::setColorList(const QStringList &names,
                                 const QList<QPair<QString, QColor>> &leading) {
    clear();
    for (const auto &item : leading)
        addColor(item.first, item.second);
    for (const QString &name : names)
        addColor(name, htmlColorToQColor(name));
    setCurrentIndex(count() > 0 ? 0 : -1);
}

int ColorComboBox::addColor(const QString &name, const QColor &color) {
    addItem(swatch(color), name);
    const int index = count() - 1;
    setItemData(index, color, ColorRole);
    return index;
}

int ColorComboBox::findColor(const QString &name) const {
    for (int i = 0; i < count(); ++i)
        if (itemText(i) == name)
            return i;
    return -1;
}

bool ColorComboBox::selectColor(const QString &name) {
    const int index = findColor(name);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

void ColorComboBox::selectOrKeep(const QString &name) {
    if (findColor(name) < 0)
        addColor(name, htmlColorToQColor(name));
    selectColor(name);
}

QString ColorComboBox::selectedName() const {
    return currentIndex() < 0 ? QString() : itemText(currentIndex());
}

QColor ColorComboBox::selectedColor() const {
    return colorAt(currentIndex());
}

QColor ColorComboBox::colorAt(int index) const {
    if (index < 0 || index >= count())
        return QColor();
    return itemData(index, ColorRole).value<QColor>();
}

bool ColorComboBox::addColorText(const QString &text) {
    if (text.isEmpty() || findColor(text) >= 0)
        return false;
    const QColor color = htmlColorToQColor(text);
    if (!color.isValid())
        return false;
    addColor(text, color);
    return true;
}

bool ColorComboBox::addColorTextToAll(const QList<ColorComboBox *> &boxes, const QString &text) {
    bool added = false;
    for (ColorComboBox *box : boxes)
        added = box->addColorText(text) || added;
    return added;
}
