// The "Install" dialog (template 101): the install folder, its picker and the three options.
#pragma once

#include "installer/install_paths.h"

#include <windows.h>

#include <string>
#include <vector>

// Runs the dialog modally without an owner on a copy of the options; on OK the copy is handed
// back and the result is 1, otherwise (CANCEL, the close box, the dialog destroyed) the options
// stay as they were and the result is 0. ownFileName is the installer's own file name, one of
// the files an install folder must have room for. OK with a folder that is too long or that the
// user cannot write to, or that is not a full path, explains why and keeps the dialog open; a
// folder accepted exists then, and madeFolders names the folders made for it.
INT_PTR runInstallDialog(HINSTANCE instance, installer::InstallOptions& options,
                         const std::string& ownFileName, std::vector<std::string>& madeFolders);
