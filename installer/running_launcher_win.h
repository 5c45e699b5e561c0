// A launcher running from the file an installation is about to replace, and how it is asked to
// end: as its own 終了 does, so it saves its settings first.
#pragma once

#include "framework/handles_win.h"

#include <windows.h>

#include <string>

struct RunningLauncher {
    HWND window = nullptr;
    // Opened to wait for its end.
    KernelHandle process;
};

// The launcher whose main window is up and whose program is the file launcherPath names (other
// copies, started from elsewhere, are not it). window is null when there is none.
RunningLauncher runningLauncherOf(const std::string& launcherPath);

// Sends the launcher its exit command and waits for its process to end, at most timeoutMs.
bool endLauncher(const RunningLauncher& launcher, DWORD timeoutMs);
