// Whether the user may install into a folder, found out by doing what the installation does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Makes the folder and its missing ancestors, then creates, writes and deletes a file in it.
// ERROR_SUCCESS when that worked (the folder stays, ready for the copies, and made lists the
// folders made, outermost first); otherwise the system's error code, and every folder made on
// the way is removed again. An existing file where a folder should be is ERROR_DIRECTORY.
// Asking the system about rights instead would miss what only an attempt shows: a read-only
// medium, a folder redirected by a policy, rights that an administrator's group gives but an
// unelevated token does not use.
//
// A folder made outside the user's own profile (C:\Tools, say, where every user may add
// folders and change what others added) gets its own access list: full access for the user,
// the administrators and the system, none for anyone else, and nothing inherited, so no other
// user can replace the program that starts at this user's log-on.
DWORD prepareInstallFolder(const std::string& folder, std::vector<std::string>& made);

// Removes the folders prepareInstallFolder made, innermost first, as far as they are empty.
void removeMadeFolders(const std::vector<std::string>& made);

// The access list prepareInstallFolder gives the folders it makes for folder: empty (inherited
// as usual) inside the user's profile, else privateFolderSecurity of the running user.
std::string madeFolderSecurity(const std::string& folder);

// The access list of a private folder for the user whose security identifier is given in its
// text form ("S-1-5-21-...").
std::string privateFolderSecurity(const std::string& userSid);
