// "Frame Wizard": three steps in one window. First rows or columns and how many, then how many
// frames each row or column holds, then the layout: the frames drawn at their sizes (a click
// picks one), their sizes and attributes, and the frameset's own attributes. Ok builds the
// FRAMESET block. The frame counts outlive the wizard: the owner keeps them.
#pragma once

#include "wizards/framelayout.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

struct AppContext;
class ColorFields;
class FrameBoxes;
class NumberField;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;

class FrameWizard : public QDialog {
    Q_OBJECT
public:
    using FrameCounts = std::array<int, FrameLayout::MaxGroups>;

    // `counts` is read at start and written back as the user changes it; `reference` turns a
    // URL into the text written into SRC.
    FrameWizard(AppContext &ctx, FrameCounts &counts,
                std::function<QString(const QString &)> reference, QWidget *parent = nullptr);
    ~FrameWizard() override;

    // The layout being edited (valid on the last page).
    FrameLayout *layout() const { return m_layout.get(); }
    QStringList block() const;
    int page() const;

    // Steps as the buttons take them; false when the step is not possible from here.
    void next();
    void back();

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    QWidget *buildDirectionPage();
    QWidget *buildCountsPage();
    QWidget *buildLayoutPage();
    QWidget *buildCellTab(QTabWidget *tabs);
    QWidget *buildFramesetTab(QTabWidget *tabs);
    bool columns() const;
    void showPage(int index);
    void showCountFor(int group);
    void startLayout();
    void selectFrame(int group, int index);
    void showFrame();
    void storeFrame();
    void applyWidth();
    void applyHeight();

    AppContext &m_ctx;
    FrameCounts &m_counts;
    std::function<QString(const QString &)> m_reference;
    std::unique_ptr<FrameLayout> m_layout;
    int m_group = 0;
    int m_index = 0;
    bool m_loading = false;

    QStackedWidget *m_pages;
    // Direction page.
    QRadioButton *m_rows;
    NumberField *m_groupCount;
    // Counts page.
    QLabel *m_which;
    NumberField *m_group1;
    NumberField *m_frameCount;
    // Layout page.
    FrameBoxes *m_boxes;
    QLabel *m_current;
    ColorFields *m_colors;
    NumberField *m_width;
    NumberField *m_height;
    NumberField *m_marginWidth;
    NumberField *m_marginHeight;
    QCheckBox *m_noResize;
    QComboBox *m_scrolling;
    QComboBox *m_url;
    QComboBox *m_name;
    QComboBox *m_frameborder;
    QLineEdit *m_framespacing;
    QLineEdit *m_border;
    QComboBox *m_setFrameborder;
};
