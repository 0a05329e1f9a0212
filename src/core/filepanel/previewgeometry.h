// Sizes and key moves of the picture preview windows.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The full-size window: the picture plus a margin (10 across, 25 down), at most 592 x 411.
QSize previewWindowSize(const QSize &picture);
// Top left corner that centres a window of `size` on `screen`.
QPoint centeredOrigin(const QRect &screen, const QSize &size);

// The row a navigation key in a preview window selects in a list of `count` rows when `current`
// is selected: Home, End, Page Up/Down by ten, Up/Down by one, clamped to the list. -1 when the
// key moves nothing (no selection, no rows, or a key that is not a move).
int previewKeyTarget(int key, int current, int count);
