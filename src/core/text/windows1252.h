// The Windows-1252 code page in both directions, shared by the page codec and the settings file.
#pragma once

#include <QByteArray>
#include <QString>

// Every byte maps to a character; the five bytes the code page leaves undefined become their C1
// code points (U+0081, U+008D, U+008F, U+0090, U+009D), so every byte survives a round trip.
QString decodeWindows1252(const QByteArray &bytes);
// Characters with no Windows-1252 byte become numeric character references ("&#8364;"; a code
// point above U+FFFF is written whole, "&#128512;").
QByteArray encodeWindows1252(const QString &text);
