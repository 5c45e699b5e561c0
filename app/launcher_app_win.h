// The launcher's process: start-up, single instance and the hand-over to a running instance,
// the message loop, and shutdown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ProfileStore;

// A file named on the command line: its path in the ANSI code page and, when the code page
// cannot hold it, its real path (UTF-16; empty otherwise).
struct FileArgument {
    std::string path;
    std::u16string realPath;
};

class LauncherApp {
public:
    // Runs the whole program and answers its exit code.
    int run();

private:
    bool registerShortcutsFromCommandLine(const std::vector<FileArgument>& arguments);

    // The profile every part of the program is handed.
    ProfileStore* profile_ = nullptr;
};

// The command-line arguments, program name excluded.
std::vector<FileArgument> commandLineArguments();

// The name a file has on disk (without directory), or the last component of the text itself
// when nothing of that name exists.
std::string fileNameOnDisk(const std::string& path);

// Where the shortcut for a target goes: the file name's shortcut, or, when that leads to another
// file already, the first free numbered one ("memo (2).lnk"); one that leads to the same target
// is replaced.
std::string shortcutPathForTarget(const std::string& folder, const std::string& fileName,
                                  const std::string& target);

// The same for a real path: the real name kept, the shortcut made in the (ANSI) folder.
std::wstring shortcutPathForRealTarget(const std::string& folder, const std::u16string& target);

// Sends a command to the running instance's main window; false when there is none.
bool sendToRunningInstance(WORD command);

extern const char singleInstanceMutexName[];
