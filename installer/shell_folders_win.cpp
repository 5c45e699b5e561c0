#include "installer/shell_folders_win.h"

#include "common/folder_browser_win.h"
#include "framework/handles_win.h"

#include <knownfolders.h>
#include <shlobj.h>

bool specialFolderPath(int csidl, std::string& path, HANDLE token)
{
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, token, SHGFP_TYPE_CURRENT, buffer)))
        return false;
    buffer[MAX_PATH - 1] = '\0';
    path = buffer;
    return true;
}

std::string userProgramFilesFolder(HANDLE token)
{
    // The folder need not exist yet: the installer makes it.
    wchar_t* wide = nullptr;
    HRESULT result = SHGetKnownFolderPath(FOLDERID_UserProgramFiles, KF_FLAG_DONT_VERIFY, token,
                                          &wide);
    std::string path;
    if (SUCCEEDED(result) && wide) {
        char buffer[MAX_PATH] = {};
        BOOL lossy = FALSE;
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, buffer,
                                         MAX_PATH, nullptr, &lossy);
        // A user name outside the code page would give a path the A functions cannot open.
        if (length > 0 && !lossy)
            path = buffer;
    }
    CoTaskMemFree(wide);
    return path;
}

bool browseInstallFolder(HWND owner, std::string& folder)
{
    return browseForFolder(owner, "Select Install Folder.", BIF_RETURNONLYFSDIRS, folder, folder);
}
