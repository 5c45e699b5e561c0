// The shell's folders the setup program needs: the user's special folders and the folder
// picker. Each is asked for in UTF-16 and handed on in the ANSI code page only when that names
// the same folder: a user name the code page cannot hold ("José" on a Japanese system) gives the
// folder's short name (C:\Users\JOS~1), never a look-alike such as C:\Users\Jose, which is
// another folder or none.
#pragma once

#include <windows.h>

#include <string>

// The folder as the ANSI functions can open it: its exact name, or where that cannot be written
// in the code page, its short (8.3) form, the missing part of the path (a folder not made yet)
// kept as it is. False when neither can be written.
bool ansiFolderPath(const std::wstring& folder, std::string& path);

// The file-system path of a special folder (CSIDL_STARTUP, CSIDL_SENDTO, ...) of the user whose
// token is given, or of the running user for a null token. False when the system has no such
// folder or its path cannot be written in the code page (ansiFolderPath).
bool specialFolderPath(int csidl, std::string& path, HANDLE token = nullptr);

// The user's own program folder (FOLDERID_UserProgramFiles, usually %LOCALAPPDATA%\Programs),
// whether it exists yet or not; the empty text where the system knows no such folder or its
// path cannot be written in the code page.
std::string userProgramFilesFolder(HANDLE token = nullptr);

// The shell's folder picker, owned by the dialog, opening on the held folder. On a choice the
// held folder becomes the chosen one's full path; a cancelled picker leaves it as it was.
bool browseInstallFolder(HWND owner, std::string& folder);
