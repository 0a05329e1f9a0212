// The about box: the program's name, version, a line on what it is, and where it keeps files.
#pragma once

#include <QDialog>


class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};
