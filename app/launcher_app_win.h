// The launcher's process: start-up, single instance and the hand-over to a running instance,
// the message loop, and shutdown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class LauncherApp {
public:
    // Runs the whole program and answers its exit code.
    int run();

private:
    bool registerShortcutsFromCommandLine(const std::vector<std::string>& arguments);
};

// The command-line arguments in the ANSI code page, program name excluded.
std::vector<std::string> commandLineArguments();

// The name a file has on disk (without directory), or the last component of the text itself
// when nothing of that name exists.
std::string fileNameOnDisk(const std::string& path);

// Sends a command to the running instance's main window; false when there is none.
bool sendToRunningInstance(WORD command);

extern const char singleInstanceMutexName[];
