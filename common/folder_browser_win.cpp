#include "common/folder_browser_win.h"

#include "common/wide_text_win.h"

#include "framework/handles_win.h"

#include <shlobj.h>

namespace {

int CALLBACK standAtStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder)
{
    const char* start = reinterpret_cast<const char*>(startFolder);
    if (message == BFFM_INITIALIZED && start && *start)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}

}  // namespace

bool pathOfItem(const ITEMIDLIST* item, std::string& path, std::u16string* unheldPath)
{
    // Asked wide: the A function would give a path with "?" that names no folder.
    wchar_t buffer[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListW(item, buffer))
        return false;
    buffer[MAX_PATH - 1] = L'\0';
    std::string ansi;
    if (!narrowedExactly(buffer, ansi)) {
        if (unheldPath)
            *unheldPath = fromWide(buffer);
        return false;
    }
    path = ansi;
    return true;
}

bool browseForFolder(HWND owner, const std::string& title, UINT flags,
                     const std::string& startFolder, std::string& chosen,
                     std::u16string* unheldPath)
{
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = flags;
    browse.lpfn = standAtStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    ItemIdList list(SHBrowseForFolderA(&browse));
    return pathOfItem(list.get(), chosen, unheldPath);
}
