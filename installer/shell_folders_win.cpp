#include "installer/shell_folders_win.h"

#include "framework/handles_win.h"

#include <shlobj.h>

namespace {

bool pathOf(const ItemIdList& list, std::string& path)
{
    char buffer[MAX_PATH] = {};
    if (!list || !SHGetPathFromIDListA(list.get(), buffer))
        return false;
    buffer[MAX_PATH - 1] = '\0';
    path = buffer;
    return true;
}

int CALLBACK selectHeldFolder(HWND picker, UINT message, LPARAM, LPARAM heldFolder)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, heldFolder);
    return 0;
}

}  // namespace

bool specialFolderPath(int csidl, std::string& path)
{
    ITEMIDLIST* list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)))
        return false;
    return pathOf(ItemIdList(list), path);
}

bool browseInstallFolder(HWND owner, std::string& folder)
{
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = "Select Install Folder.";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = selectHeldFolder;
    info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
    ItemIdList chosen(SHBrowseForFolderA(&info));
    std::string path;
    if (!pathOf(chosen, path))
        return false;
    folder = path;
    return true;
}
