// Starts an external program from a command line of the user's, split like a shell would but
// never run through one.
#pragma once

#include <QString>

// Returns false when the line is empty or the program could not be started.
bool startCommandLine(const QString &commandLine);
