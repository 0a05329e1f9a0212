// The elements a "</" typed at some place may close: found by reading the page backwards from
// there, only as far as the answer needs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Characters [start, start + length) of the page.
using PageReader = std::function<QString(int start, int length)>;

// The elements still open at `position`, as spelled in their start tags: the innermost one, and
// when that is one whose end tag pages usually leave out (P, LI, DT, DD, OPTION), the innermost
// one around it too. Empty elements (BR, IMG, HR, INPUT, ...), comments and the insides of
// scripts are passed over; an end tag cancels the nearest start tag of its name before it. Reads
// `firstReach` characters back from `position` first and eight times as many each time the answer
// lies further back; empty when nothing is open.
QStringList elementsToClose(const PageReader &read, int position, int firstReach = 4096);
