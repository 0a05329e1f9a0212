// "HTML page properties": the page's title and BODY attributes, with a sample of the chosen
// colours (plain, or as a small page over the background image). Properties in, properties out;
// the caller reads and rewrites the document.
#pragma once

#include "wizards/dialogparts.h"
#include "wizards/pageproperties.h"

#include <QDialog>

class ColorComboBox;
class HtmlViewer;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;

class PagePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PagePropertiesDialog(const TagDialogEnvironment &env, QWidget *parent = nullptr);

    // Fills the fields; colours not yet in the lists are added (and reported by newColor).
    void setProperties(const PageProperties &p);
    PageProperties properties() const;

    bool backgroundSampleShown() const;
    // Shows the sample page over the background image, or the plain colour sample.
    void setBackgroundSampleShown(bool shown);
    HtmlViewer *sampleViewer() const { return m_viewer; }

Q_SIGNALS:
    // A colour text that was new to the colour lists (to be remembered as previously used).
    void newColor(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ColorField {
        ColorComboBox *box = nullptr;
        QLabel *sample = nullptr; // the sample line it colours; none for the background
    };
    void buildFields();
    void buildSample();
    ColorComboBox *addColorRow(const QString &label, const QString &name, const QColor &shown,
                               int row);
    void selectColor(ColorComboBox *box, const QString &text);
    void pickColor(ColorComboBox *box);
    void updateSample();
    QList<ColorComboBox *> colorBoxes() const;

    TagDialogEnvironment m_env;
    class QGridLayout *m_grid;
    QLineEdit *m_title;
    QComboBox *m_background;
    ColorComboBox *m_bgcolor;
    ColorComboBox *m_text;
    ColorComboBox *m_link;
    ColorComboBox *m_vlink;
    ColorComboBox *m_alink;
    QComboBox *m_bgproperties;
    QLineEdit *m_leftmargin;
    QLineEdit *m_topmargin;
    QLineEdit *m_other;
    QStackedWidget *m_sample;
    QFrame *m_plainSample;
    QLabel *m_textSample;
    QLabel *m_linkSample;
    QLabel *m_alinkSample;
    QLabel *m_vlinkSample;
    HtmlViewer *m_viewer;
    QPushButton *m_sampleButton;
};
