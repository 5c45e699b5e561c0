// The shell's folders the setup program needs: the user's special folders and the folder
// picker.
#pragma once

#include <windows.h>

#include <string>

// The file-system path of a special folder (CSIDL_STARTUP, CSIDL_SENDTO, ...) of the user whose
// token is given, or of the running user for a null token.
bool specialFolderPath(int csidl, std::string& path, HANDLE token = nullptr);

// The user's own program folder (FOLDERID_UserProgramFiles, usually %LOCALAPPDATA%\Programs),
// whether it exists yet or not; the empty text where the system knows no such folder or its
// name cannot be written in the ANSI code page.
std::string userProgramFilesFolder(HANDLE token = nullptr);

// The shell's folder picker, owned by the dialog, opening on the held folder. On a choice the
// held folder becomes the chosen one's full path; a cancelled picker leaves it as it was.
bool browseInstallFolder(HWND owner, std::string& folder);
