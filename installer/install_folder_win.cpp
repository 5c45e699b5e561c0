#include "installer/install_folder_win.h"

#include "common/path_text.h"

#include <vector>

namespace {

// The folder without separators at its end, but a drive's root keeps its own.
std::string withoutTrailingSeparators(std::string folder)
{
    while (folder.size() > 1 && findLastSeparator(folder) == folder.size() - 1)
        folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

bool exists(const std::string& folder)
{
    return GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeFolders(const std::vector<std::string>& made)
{
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}

}  // namespace

DWORD prepareInstallFolder(const std::string& installFolder)
{
    std::string folder = withoutTrailingSeparators(installFolder);
    // Innermost first; made outermost first.
    std::vector<std::string> missing;
    std::string step = folder;
    while (!exists(step)) {
        missing.push_back(step);
        std::string parent;
        if (!parentDirectory(step, parent))
            break;
        step = parent;
    }
    std::vector<std::string> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!CreateDirectoryA(it->c_str(), nullptr)) {
            DWORD error = GetLastError();
            removeFolders(made);
            return error;
        }
        made.push_back(*it);
    }
    char probe[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "qtl", 0, probe) == 0) {
        DWORD error = GetLastError();
        removeFolders(made);
        return error;
    }
    DeleteFileA(probe);
    return ERROR_SUCCESS;
}
