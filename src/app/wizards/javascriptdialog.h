// The "JavaScripts" dialog: one page per ready-made effect and one for the user's own scripts.
// It only gathers fields; "Ok" hands them to the owner's inserter, which answers whether the
// dialog may close.
#pragma once

#include "wizards/scriptinsertion.h"

#include <QDialog>
#include <functional>

class Prompts;
class CustomScriptPage;
class SlideShowPage;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;

class JavaScriptDialog : public QDialog {
    Q_OBJECT
public:
    using Inserter = std::function<bool(const JavaScriptFields &)>;
    // `scriptFolder` holds the custom scripts; `makeReference` turns a chosen slide into the
    // text written into the page.
    JavaScriptDialog(Prompts &prompts, const QString &scriptFolder, Inserter inserter,
                     std::function<QString(const QString &)> makeReference,
                     QWidget *parent = nullptr);

    JavaScriptFields fields() const;
    JavaScriptEffect currentEffect() const;
    void setCurrentEffect(JavaScriptEffect effect);
    // The folder whose pictures the slide show page lists.
    void setSlideFolder(const QString &folder);

    // The buttons, for tests and keyboard users.
    void confirm();

    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *scrollerText() const { return m_scrollerText; }
    QComboBox *scrollerSpeed() const { return m_scrollerSpeed; }
    QPlainTextEdit *tickerText() const { return m_tickerText; }
    QSpinBox *tickerWidth() const { return m_tickerWidth; }
    QCheckBox *tickerAutosize() const { return m_tickerAutosize; }
    QLineEdit *tickerPreview() const { return m_tickerPreview; }
    QPushButton *tickerStop() const { return m_tickerStop; }
    QLineEdit *marqueeText() const { return m_marqueeText; }
    QLineEdit *marqueePreview() const { return m_marqueePreview; }
    SlideShowPage *slidePage() const { return m_slidePage; }
    QComboBox *detourLocation() const { return m_detourLocation; }
    QLineEdit *detourTitle() const { return m_detourTitle; }
    CustomScriptPage *customPage() const { return m_customPage; }

Q_SIGNALS:
    void helpRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildScrollerPage();
    QWidget *buildTickerPage();
    QWidget *buildMarqueePage();
    QWidget *buildAutoscrollPage();
    QWidget *buildFadePage();
    QWidget *buildClockPage();
    QWidget *buildDetourPage();
    void tickerTextChanged();
    void stepTickerPreview();
    void stepMarqueePreview();

    Prompts &m_prompts;
    Inserter m_inserter;
    std::function<QString(const QString &)> m_makeReference;

    QTabWidget *m_tabs;
    QLineEdit *m_scrollerText = nullptr;
    QComboBox *m_scrollerSpeed = nullptr;
    QPlainTextEdit *m_tickerText = nullptr;
    QSpinBox *m_tickerWidth = nullptr;
    QCheckBox *m_tickerAutosize = nullptr;
    QLineEdit *m_tickerPreview = nullptr;
    QPushButton *m_tickerStop = nullptr;
    QTimer *m_tickerTimer = nullptr;
    int m_tickerStep = 0;
    QLineEdit *m_marqueeText = nullptr;
    QSpinBox *m_marqueeWidth = nullptr;
    QLineEdit *m_marqueePreview = nullptr;
    QPushButton *m_marqueeStop = nullptr;
    QTimer *m_marqueeTimer = nullptr;
    int m_marqueeStep = 0;
    SlideShowPage *m_slidePage = nullptr;
    QRadioButton *m_fadeIn = nullptr;
    QRadioButton *m_fadeOut = nullptr;
    QRadioButton *m_fadeBoth = nullptr;
    QRadioButton *m_fromBlack = nullptr;
    QRadioButton *m_fromWhite = nullptr;
    QRadioButton *m_fromGray = nullptr;
    QSpinBox *m_fadeSpeed = nullptr;
    QComboBox *m_detourLocation = nullptr;
    QLineEdit *m_detourTitle = nullptr;
    CustomScriptPage *m_customPage = nullptr;
};
