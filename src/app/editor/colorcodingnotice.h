// The small always-on-top notice shown while a long stretch of a document is being coloured.
// Owned by the editor that shows it; shown and hidden only around a colouring run.
#pragma once

#include <QWidget>

class ColorCodingNotice : public QWidget {
    Q_OBJECT
public:
    explicit ColorCodingNotice(QWidget *parent = nullptr);
    // Shows the notice centred on the screen of `near` (or the primary screen) and paints it now,
    // before the caller's long work starts.
    void showNow(QWidget *near);
};
