// The rules of the detail settings dialog that need no window: its working copy of a settings
// set, the enabled states per display mode, the width correction on OK, the title, and what
// OK does to a folder's hot key.
#pragma once

#include "settings/launcher_settings.h"

#include <cstdint>
#include <string>

// What the dialog edits, in the form its controls exchange.
struct DetailValues {
    int PrintEnt = 0;
    int PrintLnk = 0;
    int displayMode = 0;  // IconPrint
    std::int32_t IconSize = 32;
    std::int32_t DesktopRatio = 100;
    int PrintMyself = 0;
    std::uint32_t StringsNumber = 260;
    HotkeyWord HoyKey = 0;
    std::int32_t HeightSpace = 0;
    FontRecord Font;
    std::uint32_t FontRGB = 0;
    std::uint32_t BackgroundColor = 0;
    int FolderMenu = 0;
    int SystemColors = 1;
};

DetailValues detailValuesOf(const LauncherSettings& set);

// Copies the values into the set (its Folder stays); check box values become booleans.
void handBack(const DetailValues& values, LauncherSettings& set);

// Width limits of the width box; OK brings a width outside them back in.
constexpr std::uint32_t maxDisplayWidth = 260;
constexpr std::uint32_t minDisplayWidth = 1;
// Limits of the margin box; its up-down stops at the icon size.
constexpr std::int32_t maxHeightSpace = 32;

// The information text OK shows when it corrects the width, or "" when the width is fine.
std::string correctWidth(std::uint32_t& width);

struct DetailEnabledStates {
    bool extensions = true;   // both extension check boxes
    bool width = true;        // the width edit box
    bool fontButtons = true;  // FONT and its RESET
    bool iconSize = true;     // both icon-size radios
};
DetailEnabledStates enabledStatesFor(int displayMode);

// "詳細設定(<folder>)" or "詳細設定(標準設定)".
std::string detailTitle(bool isFolderSpecific, const std::string& folderName);

// What OK does to the folder's registration when the hot key control holds chosen and the set
// held before.
enum class FolderHotkeyChange { keep, withdraw, registerChosen };
FolderHotkeyChange folderHotkeyChange(HotkeyWord chosen, HotkeyWord held);
