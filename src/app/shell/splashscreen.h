// The borderless start-up picture: the program's name, what it is for and its version, shown
// centred on the screen while the main window and its dialogs are built. It steps aside for any
// other window that opens meanwhile (a message of start-up), which it would otherwise cover.
#pragma once

#include <QPixmap>
#include <QWidget>

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int PictureWidth = 400;
    static constexpr int PictureHeight = 300;

    explicit SplashScreen(QWidget *parent = nullptr);

    // Centres the window on the screen, shows it and paints it before returning, so it is
    // visible although the event loop is not running yet.
    void showAndPaint();
    // Paints the window again at once; called between the slow steps of start-up.
    void repaintNow();

    // The picture as drawn, version text included.
    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPixmap m_picture;
};
