// Seeds the settings file of a fresh installation and installs the chosen spelling dictionary
// into the data folder, where the spell checker opens it.
#pragma once

struct AppContext;

// Name of the installed dictionary in the data folder.
inline constexpr const char *InstalledDictionaryName = "Marlostanda.vtd";

// Does nothing and returns false when the settings file holds [General] version 100 or more.
// Otherwise writes version, the help file, the template and the browsers found on PATH (other
// keys of the file stay), installs the standard dictionary, reloads the settings and returns true.
bool firstStartSetup(AppContext &ctx);

// When [Options] changeflag is 1: clears it and installs the dictionary named by [Options]
// dictionary from the installation folder (no dictionary named: the installed one is removed).
void installChosenDictionary(AppContext &ctx);
