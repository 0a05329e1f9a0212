// Where the JavaScript wizard's pieces go in a document: the attribute in the body start tag, the
// element at the caret and the script block directly before the line holding "</HEAD", and the
// detour page's edits. Pure functions over the document text ("\n" between lines).
#pragma once

#include "editor/textcommands.h"
#include "wizards/javascripttemplates.h"

#include <QString>
#include <QStringList>

struct ScriptPlacement {
    QString message; // to tell the user (information); empty when there is nothing to tell
    TextEdits edits; // in positions of the given text, applied first
    bool insertBlock = false;
    int caretLine = 0; // after the edits: the line the block is inserted below
    QStringList block; // the pending block: the script lines, "\end" and the caret code
};

struct ScriptRequest {
    QStringList lines;       // the script, indented
    ScriptIdentity identity; // body attribute, marker, name
    QString element;         // replaces the selection; empty for none
};

// The common insertion: needs "<BODY" and "</HEAD"; adds the body attribute, the element, and the
// block unless the marker already stands before "</HEAD".
ScriptPlacement placeScript(QStringView text, int selectionStart, int selectionLength,
                            const ScriptRequest &request);
// The fade script (lines from fadeScript) with its own messages.
ScriptPlacement placeFade(QStringView text, const QStringList &lines, FadeType type);
// The clock: its form at the caret, "startclock()" in the body's onLoad and the script, each
// only when the page does not have it yet.
ScriptPlacement placeClock(QStringView text, int selectionStart, int selectionLength);

struct DetourEdit {
    QString message; // a missing tag: nothing is changed
    TextEdits edits;
};
// Turns the page into one that sends its visitors on to `location` after five seconds.
DetourEdit planDetour(QStringView text, const QString &location, const QString &title);

// The JavaScript wizard's pages and what their fields hold.
enum class JavaScriptEffect {
    Scroller,
    Ticker,
    Marquee,
    Autoscroll,
    SlideShow,
    Fade,
    Clock,
    Detour,
    Custom
};

struct JavaScriptFields {
    JavaScriptEffect effect = JavaScriptEffect::Scroller;
    QString text;       // scroller and marquee text, ticker lines, custom script
    QString speed;      // the scroller's speed word
    int width = 0;      // ticker and marquee
    QStringList slides; // references as written into the page
    QString delay;      // slide show, milliseconds
    FadeOptions fade;   // the page colour is read from the document
    QString location;   // detour
    QString title;      // detour
};

// Everything one press of "Ok" does to the document. `fieldsMissing` means a field has to be
// filled first (the message says which) and the document was not looked at.
struct JavaScriptResult : ScriptPlacement {
    bool fieldsMissing = false;
};
JavaScriptResult buildJavaScript(QStringView text, int selectionStart, int selectionLength,
                                 const JavaScriptFields &fields);
