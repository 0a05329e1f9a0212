// The pictures and form controls standing in a section's text: how big each is and how it is
// drawn, the controls in the classic raised and sunken look.
#pragma once

#include "viewer/inlineobject.h"

struct DocumentFont;
struct DrawContext;
struct LayoutContext;

// Sets the object's width and height: a picture's from its file (with its border), a control's
// from `font` (the font of the text around it) and its own size attributes.
void sizeInlineObject(LayoutContext &ctx, InlineObject &object, const DocumentFont &font);
// Draws the object at its place, shaded when it lies in the selection.
void drawInlineObject(DrawContext &dc, const InlineObject &object, const DocumentFont &font,
                      bool selected);
