#include "dialogs/detail_settings.h"

#include <cstdio>

DetailValues detailValuesOf(const LauncherSettings& set)
{
    DetailValues values;
    values.PrintEnt = set.PrintEnt ? 1 : 0;
    values.PrintLnk = set.PrintLnk ? 1 : 0;
    values.displayMode = set.IconPrint;
    values.IconSize = set.IconSize;
    values.DesktopRatio = set.DesktopRatio;
    values.PrintMyself = set.PrintMyself ? 1 : 0;
    values.StringsNumber = static_cast<std::uint32_t>(set.StringsNumber);
    values.HoyKey = set.HoyKey;
    values.HeightSpace = set.HeightSpace;
    values.Font = set.Font;
    values.FontRGB = set.FontRGB;
    values.BackgroundColor = set.BackgroundColor;
    values.FolderMenu = set.FolderMenu ? 1 : 0;
    values.SystemColors = set.SystemColors ? 1 : 0;
    return values;
}

void handBack(const DetailValues& values, LauncherSettings& set)
{
    set.PrintEnt = values.PrintEnt != 0;
    set.PrintLnk = values.PrintLnk != 0;
    set.IconPrint = values.displayMode;
    set.IconSize = values.IconSize;
    set.DesktopRatio = values.DesktopRatio;
    set.PrintMyself = values.PrintMyself != 0;
    set.StringsNumber = static_cast<std::int32_t>(values.StringsNumber);
    set.HoyKey = values.HoyKey;
    set.HeightSpace = values.HeightSpace;
    set.Font = values.Font;
    set.FontRGB = values.FontRGB;
    set.BackgroundColor = values.BackgroundColor;
    set.FolderMenu = values.FolderMenu != 0;
    set.SystemColors = values.SystemColors != 0;
}

std::string correctWidth(std::uint32_t& width)
{
    char text[256];
    if (width > maxDisplayWidth) {
        std::snprintf(text, sizeof(text),
                      "ファイル名の最大表示幅(%d)を超えています、最大表示幅は %d になります",
                      static_cast<int>(maxDisplayWidth), static_cast<int>(maxDisplayWidth));
        width = maxDisplayWidth;
        return text;
    }
    if (width < minDisplayWidth) {
        std::snprintf(text, sizeof(text),
                      "ファイル名の最小表示幅(%d)を下回っています、最大表示幅は %d になります",
                      static_cast<int>(minDisplayWidth), static_cast<int>(minDisplayWidth));
        width = minDisplayWidth;
        return text;
    }
    return {};
}

DetailEnabledStates enabledStatesFor(int displayMode)
{
    DetailEnabledStates states;
    if (displayMode == displayIconOnly) {
        states.extensions = false;
        states.width = false;
        states.fontButtons = false;
    } else if (displayMode == displayNameOnly) {
        states.iconSize = false;
    }
    return states;
}

std::string detailTitle(bool isFolderSpecific, const std::string& folderName)
{
    return std::string("詳細設定(") + (isFolderSpecific ? folderName : std::string("標準設定")) + ")";
}

FolderHotkeyChange folderHotkeyChange(HotkeyWord chosen, HotkeyWord held)
{
    if (chosen == 0)
        return FolderHotkeyChange::withdraw;
    if (chosen != held)
        return FolderHotkeyChange::registerChosen;
    return FolderHotkeyChange::keep;
}
