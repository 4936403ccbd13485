#pragma once

#include <QString>

struct ConsoleOptions;

// The whole run of the console: start-up, login, main window, event loop.
// Returns the process's exit code (1 when the login did not succeed).
int runConsole(int argc, char **argv);

// The part of the run after the application object exists: the centre and
// its companions, the login and, once logged in, the main window until the
// last window closes. Returns the exit code.
int runSession(const ConsoleOptions &options, const QString &configPath);
