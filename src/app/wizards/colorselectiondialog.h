// "Color Selection": a small window at the pointer offering the colour list; choosing a colour
// (a click in the list, Enter on the colour shown, or the system colour dialog) hands its text
// over and closes the window.
#pragma once

#include <QDialog>
#include <QStringList>

class ColorComboBox;
class Prompts;

class ColorSelectionDialog : public QDialog {
    Q_OBJECT
public:
    ColorSelectionDialog(const QStringList &colorList, Prompts &prompts, QWidget *parent = nullptr);

    // Places the window with its right edge at `pointer` (its left edge kept on the screen) and
    // its top at the pointer.
    void placeAt(const QPoint &pointer);
    ColorComboBox *colorBox() const { return m_box; }

Q_SIGNALS:
    void colorChosen(const QString &text);
    // A colour from the system colour dialog that was not in the list yet.
    void newColor(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int index);

    ColorComboBox *m_box;
    Prompts &m_prompts;
    bool m_browsing = false; // a key on the closed list is moving through it
};
