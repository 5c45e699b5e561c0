// Process-wide facts every window of the launcher needs: the module, the main window that owns
// message boxes and popups, the display name, and the profile.
#pragma once

#include <windows.h>

#include <string>

class ProfileStore;

namespace app {

HINSTANCE instance();
void setInstance(HINSTANCE instance);

HWND mainWindow();
void setMainWindow(HWND window);

const std::string& displayName();
void setDisplayName(const std::string& name);

// The profile under HKEY_CURRENT_USER\Software\<company>\<application>.
void setProfileRoot(const std::string& company, const std::string& application);
ProfileStore& profile();
// Whether the profile's key is there: a user who never ran the program has none.
bool profileExists();

// A string resource of the module in the ANSI code page; empty when it does not exist.
std::string loadString(UINT id);

// Name of the running program file without directory and extension.
std::string moduleBaseName();

// Full path of the running program file.
std::string modulePath();

}  // namespace app
