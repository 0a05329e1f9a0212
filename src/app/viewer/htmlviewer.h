// The HTML viewer control: owns a document (sections, anchors, picture cache), loads it from
// text or from a file, lays it out for its width, draws the visible part, scrolls, selects and
// copies text, and follows links between local pages with a history of visited files.
#pragma once

#include "viewer/imagecache.h"
#include "viewer/pagedefaults.h"
#include "viewer/qtfontmetrics.h"
#include "viewer/sectionlist.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class QAction;
class QMenu;

class HtmlViewer : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int ScrollStep = 18;
    static constexpr int MarginLeft = 12;
    static constexpr int MarginTop = 8;
    // Laid out narrower than the visible area by this much.
    static constexpr int WidthAllowance = 24;

    explicit HtmlViewer(QWidget *parent = nullptr);
    ~HtmlViewer() override;

    // Shows a page from text, from the top. The current file becomes empty; relative names
    // resolve against textDirectory() (or the current directory when that is empty).
    void loadFromString(const QString &html);
    // Loads "file" or "file#anchor". Returns false on failure; every error (a missing file,
    // an unreadable one, a parse error) is also sent as errorReported().
    bool loadFromFile(const QString &fileNameWithOptionalAnchor);
    // Scrolls to a named anchor ("#name" or "name", any case); false when there is none.
    bool positionTo(const QString &anchor);
    // Loads the current text or file again, keeping the scroll position.
    void reload();

    QString currentFile() const { return m_currentFile; }
    QString documentTitle() const { return m_doc->title(); }
    QString lastError() const { return m_lastError; }
    void setTextDirectory(const QString &dir) { m_textDirectory = dir; }

    void setDefBackground(const QColor &color);
    void setDefFontName(const QString &name);
    void setDefPreFontName(const QString &name);
    void setDefFontSize(int points); // the size of the default font, in points
    void setDefFontColor(const QColor &color);
    bool viewImages() const { return m_viewImages; }
    void setViewImages(bool on);
    int imageCacheCount() const { return m_images->maxAge(); }
    void setImageCacheCount(int loads);
    int historyMaxCount() const { return m_historyMaxCount; }
    void setHistoryMaxCount(int count);
    void setNoSelect(bool on);
    // The fonts and colours every page starts from.
    PageDefaults pageDefaults() const;
    // The picture cache (shared with whoever lays pages out for this viewer).
    std::shared_ptr<ImageCache> imageCache() const { return m_images; }

    // For an owner that reads and lays pages out elsewhere (on another thread): the width a
    // page is laid out for, and whether the viewer lays its page out again itself when its
    // width changes (otherwise it tells the owner through layoutWidthChanged()).
    int layoutWidth() const;
    void setLaysOutOnResize(bool on) { m_laysOutOnResize = on; }
    // Shows a page read from `html` and laid out for layoutWidth() (height and widest width as
    // the layout gave them) in place of the current one, keeping the scroll position; relative
    // names resolve against textDirectory(). Returns the page it replaced.
    std::unique_ptr<SectionList> replacePage(std::unique_ptr<SectionList> page,
                                             const QString &html, int height, int widest);
    // Brings the page shown up to `html`, a later version of its text, by reading again only
    // the part around the change, keeping the scroll position. False, leaving the page as it
    // was, when the page was laid out for another width or more than `budget` characters would
    // have to be read (the owner then reads the whole page).
    bool updatePage(const QString &html, int budget);

    // With source clicks on, a click on the page sends sourceClicked() with where the text
    // under the mouse (or the tag of the link under it) stands in the page's source, and links
    // are not followed.
    void setSourceClicks(bool on) { m_sourceClicks = on; }
    // The source offset of what shows at a point of the viewport (see setSourceClicks); -1
    // when there is nothing.
    int sourceOffsetAt(const QPoint &viewportPos) const;
    // Scrolls, as little as it takes, so that what the source offset became is in view.
    void revealSource(int offset);

    QString selectedText() const;
    void copySelection();
    void selectAll();
    void clearSelection();
    bool hasSelection() const { return m_selectionAnchor != m_selectionCursor; }

    // The owner's context menu; when historyMaxCount() > 0 "Back" and "Forward" are added to
    // it while it shows.
    void setContextMenu(QMenu *menu);

    bool canGoBack() const;
    bool canGoForward() const;
    void goBack();
    void goForward();
    QStringList historyFiles() const;

    // Figures of the laid-out document (document coordinates).
    int documentHeight() const { return m_docHeight; }
    const SectionList &document() const { return *m_doc; }
    // The link target at a point of the viewport, empty when there is none.
    QString linkAt(const QPoint &viewportPos) const;
    // Where a point of the document shows in the viewport.
    QPoint toViewport(const QPoint &documentPos) const;

Q_SIGNALS:
    void hotSpotCovered(const QString &target);
    void hotSpotClicked(const QString &target, bool *handled);
    void errorReported(const QString &message);
    void historyChanged();
    void layoutWidthChanged(int width);
    void sourceClicked(int offset);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct HistoryEntry {
        QString file;
        QString title;
        int scroll = 0;
    };
    class Pictures;

    bool parse(const QString &html);
    void forgetPagePlaces();
    void pageChanged(const QString &html, int height, int widest);
    void layoutDocument();
    void updateScrollBars();
    bool loadFile(const QString &file, const QString &anchor, bool hasAnchor, bool record);
    bool showFile(const QString &file, const QString &text, const QString &anchor, bool hasAnchor,
                  bool record);
    void followLink(const QString &target);
    void recordVisit(const QString &previousFile, int previousScroll);
    void goToHistory(int index);
    void report(const QString &message);
    QPoint toDocument(const QPoint &viewportPos) const;
    int positionAt(const QPoint &viewportPos) const;
    void extendSelection(const QPoint &viewportPos);
    void autoScroll();
    QString documentDirectory() const;
    QString resolve(const QString &source) const;

    std::unique_ptr<SectionList> m_doc;
    QtFontMetrics m_metrics;
    std::shared_ptr<ImageCache> m_images;
    std::unique_ptr<Pictures> m_pictures;

    QString m_source;
    QString m_currentFile;
    QString m_textDirectory;
    QString m_lastError;
    bool m_busy = false;
    int m_docHeight = 0;
    int m_docWidth = 0;
    int m_layoutWidth = -1;

    QColor m_defBackground;
    QString m_defFontName = QStringLiteral("Times New Roman");
    QString m_defPreFontName = QStringLiteral("Courier New");
    int m_defFontSize = 12;
    QColor m_defFontColor;
    QColor m_defHotSpotColor = Qt::blue;
    bool m_viewImages = true;
    int m_historyMaxCount = 0;
    bool m_noSelect = false;
    bool m_laysOutOnResize = true;
    bool m_sourceClicks = false;

    int m_selectionAnchor = 0;
    int m_selectionCursor = 0;
    bool m_selecting = false;
    QPoint m_pressPos;
    QPoint m_lastMousePos;
    QTimer m_autoScroll;
    QString m_hoverLink;

    QString m_tileSource;
    QPixmap m_tile;

    QPointer<QMenu> m_contextMenu;
    QAction *m_backAction = nullptr;
    QAction *m_forwardAction = nullptr;
    std::vector<HistoryEntry> m_history;
    int m_historyIndex = -1;
};
