// Whether the user may install into a folder, found out by doing what the installation does.
#pragma once

#include <windows.h>

#include <string>

// Makes the folder and its missing ancestors, then writes and removes a file in it. ERROR_SUCCESS
// when that worked (the folder stays, ready for the copies); otherwise the system's error code,
// and every folder made on the way is removed again. Asking the system about rights instead
// would miss what only an attempt shows: a read-only medium, a folder redirected by a policy,
// rights that an administrator's group gives but an unelevated token does not use.
DWORD prepareInstallFolder(const std::string& folder);
