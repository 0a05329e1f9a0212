// The colour fields of one dialog: each a colour drop-down ("no" first, then the colour list)
// with a "..." button. A colour picked with "..." or filled in from a tag is added to every
// field of the group and to the previously used colours when it is new.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

struct AppContext;
class ColorComboBox;
class QWidget;

class ColorFields : public QObject {
    Q_OBJECT
public:
    ColorFields(AppContext &ctx, QWidget *dialog);

    // A new field (drop-down and "..." in one row, to put into a layout); its index is the
    // number of fields before it.
    QWidget *add(const QString &objectName);
    int count() const { return int(m_boxes.size()); }
    // The selected item's name ("no" when none is chosen).
    QString text(int index) const;
    // Selects `color`, adding it first when it is new; empty selects "no".
    void setText(int index, const QString &color);
    ColorComboBox *box(int index) const { return m_boxes.at(index); }

Q_SIGNALS:
    void changed(int index);

private:
    void pick(int index);
    void addEverywhere(const QString &color);
    void select(int index, const QString &color);

    AppContext &m_ctx;
    QWidget *m_dialog;
    QList<ColorComboBox *> m_boxes;
};
