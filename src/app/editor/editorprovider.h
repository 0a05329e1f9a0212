// What the editing commands need of the document set: the editor of the current document, its
// file name, every open editor, and notice when an editor is created or changes hands. The
// document set implements it, so the editing commands never reach into documents themselves.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class SourceEditor;

class EditorProvider : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual SourceEditor *currentEditor() const = 0;
    // The full name of the current document (references are made relative to its folder).
    virtual QString currentFileName() const = 0;
    virtual QList<SourceEditor *> editors() const = 0;

Q_SIGNALS:
    void currentEditorChanged(SourceEditor *editor);
    void editorCreated(SourceEditor *editor);
    void editorRightButtonPressed();
};
