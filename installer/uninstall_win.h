// The installation's entry in the system's list of programs (Settings › Apps, Programs and
// Features) and the uninstall it starts: per user, without an administrator's rights.
#pragma once

#include <string>

// Writes the entry for the installation in folder, whose installer file is installerName.
bool registerInstallation(const std::string& folder, const std::string& installerName);

// The install folder the entry names; false when nothing is registered.
bool registeredInstallation(std::string& folder, std::string& installerName);

// The uninstall run of "installer.exe /uninstall"; the program's exit code.
int runUninstall(const std::string& ownPath);
