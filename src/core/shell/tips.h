// The tips of the day and the arithmetic of the stored tip number: its magnitude is the last tip
// shown, its sign says whether tips appear at start (positive) or not (negative).
#pragma once

#include <QString>

constexpr int TipCount = 6;

// Text of tip n (1..TipCount); "tip: error" for any other number.
QString tipText(int n);

// The tip that follows tip `totd` (TipCount wraps round to 1). A number that names no tip,
// as a hand-edited settings file may hold, also starts again at 1.
int nextTip(int totd);

// Magnitude of a stored tip number; safe for the most negative int.
int tipMagnitude(int totd);

// Whether the stored number asks for the tip window at start.
bool tipsShownAtStart(int totd);

// The number to store when the tip window closes: the magnitude, negated when tips are not
// wanted at start.
int storedTotd(int totd, bool showOnStartup);
