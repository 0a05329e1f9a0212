// The "JavaScripts" dialog: one page per ready-made effect and one for the user's own scripts.
// It only gathers fields; "Ok" hands them to the owner's inserter, which answers whether the
// dialog may close.
#pragma once

#include "documents/textcodec.h"
#include "wizards/scriptinsertion.h"

#include <QDialog>
#include <functional>

struct AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
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
    JavaScriptDialog(AppContext &ctx, const QString &scriptFolder, Inserter inserter,
                     std::function<QString(const QString &)> makeReference,
                     QWidget *parent = nullptr);

    JavaScriptFields fields() const;
    JavaScriptEffect currentEffect() const;
    void setCurrentEffect(JavaScriptEffect effect);
    // The folder whose pictures the slide show page lists.
    void setSlideFolder(const QString &folder);

    // The buttons, for tests and keyboard users.
    void confirm();
    void addSlide();
    void removeSlide();
    void newCustomScript();
    void deleteCustomScript();
    void saveCustomScript();

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
    QLineEdit *slideFolder() const { return m_slideFolder; }
    QListWidget *slideFiles() const { return m_slideFiles; }
    QListWidget *slides() const { return m_slides; }
    QComboBox *detourLocation() const { return m_detourLocation; }
    QLineEdit *detourTitle() const { return m_detourTitle; }
    QComboBox *customScripts() const { return m_customScripts; }
    QPlainTextEdit *customText() const { return m_customText; }

Q_SIGNALS:
    void helpRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildScrollerPage();
    QWidget *buildTickerPage();
    QWidget *buildMarqueePage();
    QWidget *buildAutoscrollPage();
    QWidget *buildSlideShowPage();
    QWidget *buildFadePage();
    QWidget *buildClockPage();
    QWidget *buildDetourPage();
    QWidget *buildCustomPage();
    void tickerTextChanged();
    void stepTickerPreview();
    void stepMarqueePreview();
    void reloadCustomScripts(const QString &select = QString());
    void showCustomScript();
    QString customScriptPath() const;

    AppContext &m_ctx;
    QString m_scriptFolder;
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
    QLineEdit *m_slideFolder = nullptr;
    QListWidget *m_slideFiles = nullptr;
    QListWidget *m_slides = nullptr;
    QLineEdit *m_slideDelay = nullptr;
    QRadioButton *m_fadeIn = nullptr;
    QRadioButton *m_fadeOut = nullptr;
    QRadioButton *m_fadeBoth = nullptr;
    QRadioButton *m_fromBlack = nullptr;
    QRadioButton *m_fromWhite = nullptr;
    QRadioButton *m_fromGray = nullptr;
    QSpinBox *m_fadeSpeed = nullptr;
    QComboBox *m_detourLocation = nullptr;
    QLineEdit *m_detourTitle = nullptr;
    QComboBox *m_customScripts = nullptr;
    QPlainTextEdit *m_customText = nullptr;
    TextFormat m_customFormat; // the shown script's encoding and line ends, kept when saved
};
