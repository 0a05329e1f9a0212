// One document with its view, handed to commands as the current document: what a command needs
// of the document set, without a main window.
#pragma once

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"

class SingleDocument : public DocumentAccess {
public:
    // The view is a child of `window`; the document, which goes with this object, deletes it.
    explicit SingleDocument(QWidget *window, QObject *parent = nullptr)
        : DocumentAccess(parent), m_doc(new SourceDocument(this)) {
        new SourceEditor(*m_doc, window);
    }

    SourceDocument &current() const override { return *m_doc; }
    QList<SourceDocument *> documents() const override { return {m_doc}; }
    SourceEditor *view() const { return m_doc->activeView(); }

private:
    SourceDocument *m_doc;
};
