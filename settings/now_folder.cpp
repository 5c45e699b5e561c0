#include "settings/now_folder.h"

#include "framework/profile_store.h"
#include "settings/profile_names.h"

namespace names = profile_names;

std::string NowFolder::folder() const
{
    return profile_.readString(names::nowFolderSection, names::appFolderValue, "");
}

bool NowFolder::storeFolder(const std::string& path)
{
    return profile_.writeString(names::nowFolderSection, names::appFolderValue, path);
}

std::string NowFolder::folderItemText() const
{
    return profile_.readString(names::nowFolderSection, names::targetFolderValue,
                               names::defaultTargetFolderText);
}

void NowFolder::storeFolderItemText(const std::string& text)
{
    profile_.writeString(names::nowFolderSection, names::targetFolderValue, text);
}

HotkeyWord NowFolder::launcherHotkey() const
{
    return static_cast<HotkeyWord>(
        profile_.readInt(names::nowFolderSection, names::hotkeyValue, 0) & 0xFFFF);
}

void NowFolder::storeLauncherHotkey(HotkeyWord key)
{
    profile_.writeInt(names::nowFolderSection, names::hotkeyValue, key);
}
