#include "settings/launcher_settings.h"

const char standardSetFolderText[] = "標準の詳細設定";

namespace {

LauncherSettings commonDefaults(const SystemLook& look)
{
    LauncherSettings set;
    set.IconSize = 32;
    set.DesktopRatio = 100;
    set.PrintMyself = true;
    set.StringsNumber = 260;
    set.HoyKey = 0;
    set.HeightSpace = 0;
    set.Font = look.menuFont;
    set.FontRGB = look.menuTextColor;
    set.BackgroundColor = look.menuColor;
    set.FolderMenu = false;
    set.SystemColors = true;
    return set;
}

}  // namespace

LauncherSettings standardDefaults(const SystemLook& look)
{
    LauncherSettings set = commonDefaults(look);
    set.Folder = standardSetFolderText;
    set.PrintEnt = true;
    set.PrintLnk = false;
    set.IconPrint = displayNameAndIcon;
    return set;
}

LauncherSettings folderDefaults(const SystemLook& look)
{
    LauncherSettings set = commonDefaults(look);
    set.PrintEnt = false;
    set.PrintLnk = false;
    set.IconPrint = displayNameOnly;
    return set;
}
