// The panel under the editor that lists a page check's findings: a summary line with a close
// button above the list. Double-click or Enter on a finding asks for its place; Escape gives the
// keys back to the editor. Owns its list model.
#pragma once

#include "pagecheck/pagefinding.h"

#include <QFrame>

class PageFindingsModel;
class QLabel;
class QTreeView;

class PageCheckPanel : public QFrame {
    Q_OBJECT
public:
    explicit PageCheckPanel(QWidget *parent = nullptr);

    // Shows the findings under the summary; the first one becomes current.
    void showFindings(const QString &summary, const PageFindings &findings);
    // An empty list under the summary.
    void clear(const QString &summary);
    QString summary() const;
    int findingCount() const;
    QTreeView *list() const { return m_list; }

    // Room for about ten findings; never less than three.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // A finding with a place was double-clicked or chosen with Enter.
    void findingChosen(const PageFinding &finding);
    void leaveRequested(); // Escape in the list
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int heightFor(int rows) const;

    QLabel *m_summary;
    QTreeView *m_list;
    PageFindingsModel *m_model;
};
