// The one way commands reach the document they act on: the current document of the open set,
// whose active view holds the caret and the selection, every open document, and notice when
// another one becomes current or a new one opens. The document set implements it.
#pragma once

#include "editor/sourcedocument.h"

#include <QList>
#include <QObject>

class SourceEditor;

class DocumentAccess : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual SourceDocument &current() const = 0;
    // The current document's view (the editor in its tab).
    SourceEditor &currentView() const { return *current().activeView(); }
    virtual QList<SourceDocument *> documents() const = 0;

Q_SIGNALS:
    void currentDocumentChanged(SourceDocument &doc);
    // A document's name, unsaved-changes flag or last-save time changed.
    void fileStateChanged(SourceDocument &doc);
    // A new document with its view; its text and file come next.
    void documentOpened(SourceDocument &doc);
    // A document is about to leave the set (its view still there).
    void documentClosing(SourceDocument &doc);
    // The right mouse button went down in a view (its context menu comes next).
    void editorRightButtonPressed();
};
