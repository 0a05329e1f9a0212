// Starts an external program from a command line of the user's, split like a shell would but
// never run through one.
#pragma once

#include <QString>

// Returns false when the line is empty or the program could not be started; then `failure` (when
// given and the line named a program) gets the sentence to show, naming the program.
bool startCommandLine(const QString &commandLine, QString *failure = nullptr);
