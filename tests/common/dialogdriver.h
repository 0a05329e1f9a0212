// Driving dialogs in app tests as a user does: find a named child, click it, type a number into
// a spin box, and fill the modal dialog that the next step opens.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <functional>

template <typename T = QWidget> T *child(QWidget *parent, const QString &name) {
    T *w = parent->findChild<T *>(name);
    if (!w)
        qWarning("no child %s", qPrintable(name));
    return w;
}

inline void click(QWidget *parent, const QString &name) {
    QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
}

// Sets a spin box as a user does: select what is there, type, go to the next field.
inline void typeNumber(QWidget *parent, const QString &name, int value) {
    auto *field = child<QSpinBox>(parent, name);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::number(value));
    QTest::keyClick(field, Qt::Key_Tab); // leaving the field settles the value
}

// Runs `fill` on the modal dialog the next call opens, then presses its "okButton".
inline void whenModalOpens(std::function<void(QWidget *)> fill) {
    // The dialog may open a moment later (the quick table opens after the button press).
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, fill] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        fill(dialog);
        click(dialog, QStringLiteral("okButton"));
    });
    poll->start();
}
