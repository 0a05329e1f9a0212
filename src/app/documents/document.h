// One open document: its state (file name, text format, saved flag, last-save time, change
// guard) and the editor that holds its text. Owned by the document set; the editor belongs to
// the document's tab.
#pragma once

#include "documents/documentstate.h"

class SourceEditor;

class Document : public DocumentState {
public:
    explicit Document(SourceEditor *editor) : m_editor(editor) {}
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    SourceEditor *editor() const { return m_editor; }
    // Back to a fresh untitled document of the given name (the editor's text is the caller's).
    void resetState(const QString &untitledFileName) {
        static_cast<DocumentState &>(*this) = DocumentState();
        fileName = untitledFileName;
    }

private:
    SourceEditor *m_editor;
};
