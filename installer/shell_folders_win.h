// The shell's folders the setup program needs: the user's special folders and the folder
// picker.
#pragma once

#include <windows.h>

#include <string>

// The file-system path of a special folder (CSIDL_STARTUP, CSIDL_SENDTO, ...).
bool specialFolderPath(int csidl, std::string& path);

// The shell's folder picker, owned by the dialog, opening on the held folder. On a choice the
// held folder becomes the chosen one's full path; a cancelled picker leaves it as it was.
bool browseInstallFolder(HWND owner, std::string& folder);
