// "Quick Table": a small grid of 6 x 10 cells on which one click picks the size of an empty
// table; the Ok button shows the size picked ("3x2").
#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class TableSizePicker;

class QuickTableDialog : public QDialog {
    Q_OBJECT
public:
    explicit QuickTableDialog(QWidget *parent = nullptr);

    int columns() const;
    int rows() const;
    QStringList block() const;
    // Right edge at `point`, left edge not left of the screen, top at `point`.
    void placeAt(const QPoint &point);

private:
    void sizePicked();

    TableSizePicker *m_picker;
    QPushButton *m_ok;
};
