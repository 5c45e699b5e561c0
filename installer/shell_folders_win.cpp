#include "installer/shell_folders_win.h"

#include "common/folder_browser_win.h"
#include "framework/handles_win.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

namespace {

bool narrowExactly(const std::wstring& wide, std::string& narrow)
{
    if (wide.empty())
        return false;
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                     nullptr, &lossy);
    if (length <= 0 || lossy)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, buffer.data(), length,
                        nullptr, &lossy);
    if (lossy || buffer.size() > MAX_PATH)
        return false;
    narrow = buffer.data();
    return true;
}

// The short form of the longest part of the path that exists, and the rest as it is.
std::wstring shortForm(const std::wstring& path)
{
    std::wstring existing = path;
    std::wstring rest;
    while (!existing.empty()) {
        wchar_t buffer[MAX_PATH] = {};
        DWORD length = GetShortPathNameW(existing.c_str(), buffer, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            return buffer + rest;
        std::size_t separator = existing.find_last_of(L"\\/");
        if (separator == std::wstring::npos || separator == 0)
            break;
        rest = existing.substr(separator) + rest;
        existing.resize(separator);
    }
    return path;
}

}  // namespace

bool ansiFolderPath(const std::wstring& folder, std::string& path)
{
    return narrowExactly(folder, path) || narrowExactly(shortForm(folder), path);
}

bool specialFolderPath(int csidl, std::string& path, HANDLE token)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, token, SHGFP_TYPE_CURRENT, buffer)))
        return false;
    buffer[MAX_PATH - 1] = L'\0';
    return ansiFolderPath(buffer, path);
}

std::string userProgramFilesFolder(HANDLE token)
{
    // The folder need not exist yet: the installer makes it.
    wchar_t* wide = nullptr;
    HRESULT result = SHGetKnownFolderPath(FOLDERID_UserProgramFiles, KF_FLAG_DONT_VERIFY, token,
                                          &wide);
    std::string path;
    if (SUCCEEDED(result) && wide && !ansiFolderPath(wide, path))
        path.clear();
    CoTaskMemFree(wide);
    return path;
}

bool browseInstallFolder(HWND owner, std::string& folder)
{
    return browseForFolder(owner, "Select Install Folder.", BIF_RETURNONLYFSDIRS, folder, folder);
}
