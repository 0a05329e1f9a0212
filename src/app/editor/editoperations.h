// The editing commands: wrapping the selection, the deferred insertions handed over by dialogs,
// indenting, stripping tags, text conversion, find, replace and go to line. Each changes the
// document of the view it is given (one undo step each) and takes the caret and the selection
// from that view. Messages are the caller's.
#pragma once

#include "editor/textconversionoptions.h"

#include <QString>

class SourceEditor;
struct PendingBlock;
struct PendingInsertion;

// Puts `start` before and `end` after the selection ("[empty]" as start does nothing). With
// convertSlash, backslashes of start and end (never of the selection) become "/". The caret
// stands between the two texts when nothing was selected, behind the end text otherwise.
void wrapSelection(SourceEditor &view, const QString &start, const QString &end, bool convertSlash);
// Applies and clears a pending insertion (nothing when none is pending).
void applyPendingInsertion(SourceEditor &view, PendingInsertion &p, bool convertSlash);
// Inserts a pending block of whole lines below the caret's line, appends a line of one blank at
// the end of the document, and puts the caret where the block's caret code says; clears it.
void applyPendingBlock(SourceEditor &view, PendingBlock &b);
// A tab before every line of the selection (or of the caret's line); the caret keeps its column.
void indentLines(SourceEditor &view);
// One leading tab off every such line; nothing when the caret's line is empty.
void unindentLines(SourceEditor &view);
// Removes every tag; returns how many. The caller asks first.
int stripAllTags(SourceEditor &view);
// Converts the whole text and recolours it; returns the number of conversions.
int convertText(SourceEditor &view, const TextConversionOptions &o);
// Selects the next hit after the current one (or from the selection start); false when there is
// none, leaving the selection alone.
bool findNext(SourceEditor &view, const QString &needle);
// Replaces the selected hit and selects the next one; with `all` every hit from the selection on,
// as one change.
void replace(SourceEditor &view, const QString &needle, const QString &replacement, bool all);
// Caret to the start of line `lineNumber` (counted from 1, clamped), shown sixth from the top.
void goToLine(SourceEditor &view, int lineNumber);
