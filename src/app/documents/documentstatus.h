// The window caption and the four status bar panels (last save, caret position, insert mode, a
// spare one), following the current document of the document set.
#pragma once

#include <QObject>

class SourceDocument;
class DocumentController;
class QLabel;
class QStatusBar;
class QWidget;

class DocumentStatus : public QObject {
    Q_OBJECT
public:
    DocumentStatus(DocumentController &docs, QWidget *window, QStatusBar *bar);

    // "Marlo - " and the document's full name.
    void setCaption(const QString &fileName);
    // "Last save: " and the time text.
    void setLastSave(const QString &time);
    // Shown as "column:line", both counted from 1; the arguments count from 0.
    void setCaretPosition(int column, int line);
    void setInsertMode(bool overwrite);

    QString positionText() const;
    QString modeText() const;

private:
    void showDocument(const SourceDocument &doc);

    DocumentController &m_docs;
    QWidget *m_window;
    QLabel *m_lastSave;
    QLabel *m_position;
    QLabel *m_mode;
    QLabel *m_spare;
};
