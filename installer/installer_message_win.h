// The setup program's message box: caption "Install", no icon, brought to the foreground.
#pragma once

#include <windows.h>

#include <string>

// Without an owner, as every message of a run is; a message about the open dialog names the
// dialog, so that the box is not hidden behind it (the dialog stays on top). buttons chooses
// the buttons of a question (MB_YESNO...).
int installerMessage(const std::string& text, HWND owner = nullptr, UINT buttons = MB_OK);
