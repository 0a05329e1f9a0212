// The choices of the text conversion command: accented characters to or from entities, and
// backslashes to or from slashes.
#pragma once

struct TextConversionOptions {
    enum class Latin1 { ToEntities, FromEntities, NoChange };
    enum class Slashes { BackslashToSlash, SlashToBackslash, NoChange };
    Latin1 latin1 = Latin1::NoChange;
    Slashes slashes = Slashes::NoChange;
};
