// "Image Selection": the fields of an <IMG> tag, with the picture's size read from its file and
// an optional preview. Fields in, ImageFields out; the caller builds and inserts the tag.
#pragma once

#include "wizards/dialogparts.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QPushButton;
class QToolButton;

class ImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImageDialog(QWidget *parent = nullptr);

    // Resets every field for a new tag: the hand-over file (when there is one) becomes the
    // source and its size is read.
    void reset(const TagDialogEnvironment &env);
    // Fills the fields from an existing tag; its own size stays as written.
    void setFields(const ImageFields &f);
    ImageFields fields() const;

    bool previewShown() const;
    void setPreviewShown(bool shown);

private:
    void createFields();
    QGridLayout *fieldGrid();
    void createPreviewPanel();
    // Looks the source up (beside the document when it has no folder), shows it in the preview
    // and, unless `keepSize`, puts its pixel size into the numbers and ticks Width as set up.
    void sourceChanged(bool keepSize);
    void browse(QComboBox *target);

    TagDialogEnvironment m_env;
    QComboBox *m_source;
    QCheckBox *m_useAlt;
    QLineEdit *m_alt;
    QCheckBox *m_useSize;
    NumberField *m_width;
    NumberField *m_height;
    QCheckBox *m_useAlign;
    QComboBox *m_align;
    QCheckBox *m_useBorder;
    QLineEdit *m_border;
    QCheckBox *m_useUseMap;
    QLineEdit *m_useMap;
    QCheckBox *m_isMap;
    QCheckBox *m_useVSpace;
    QLineEdit *m_vspace;
    QCheckBox *m_useHSpace;
    QLineEdit *m_hspace;
    QCheckBox *m_useLowSource;
    QComboBox *m_lowSource;
    QToolButton *m_browseSource;
    QToolButton *m_browseLowSource;
    QPushButton *m_previewButton;
    QWidget *m_previewPanel;
    QLabel *m_preview;
    QLineEdit *m_previewName;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
