// The rules of the launcher menu that need no window: what an entry is called in the menu,
// how many entries fit in one column, and what the tray tip says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Command ids 0xA000 to 0xAFFF belong to launcher entries; the folder items of the tray popup
// start right after them, so a menu never holds more entries than this.
constexpr std::size_t launcherIdCount = 0x1000;

// The text an entry shows: the whole name when its extension is shown, else the name without
// its extension. Only ".lnk", exactly, counts as a shortcut extension (".LNK" does not).
std::string entryDisplayText(const std::string& entryName, bool printEnt, bool printLnk);

// The height one row of the menu is reckoned with: the text height when names are shown, at
// least the icon edge when icons are shown, and never 0.
std::int64_t rowHeight(std::int32_t iconPrint, std::int32_t iconSize, std::int64_t textHeight);

// Entries per column: (desktopRatio percent of the desktop's bottom) over (heightSpace + row
// height), at least 1. A row that takes no height at all (a negative heightSpace) counts one
// pixel, so the division is always defined.
int rowsPerColumnFor(std::int64_t desktopBottom, std::int32_t desktopRatio,
                     std::int32_t heightSpace, std::int64_t rowHeight);

// Whether entry i opens a new column.
inline bool startsColumn(std::size_t index, int rowsPerColumn)
{
    return index > 0 && rowsPerColumn > 0 && index % static_cast<std::size_t>(rowsPerColumn) == 0;
}

// How many folder entries a build lists: the id range must keep room for the folder item.
std::size_t entryCapacity(bool printMyself);

// The tray tip for a launcher folder: its last component without extension, or drive and
// directory when the path ends in a separator; at most maxChars bytes, never half a character.
std::string trayTipFor(const std::string& folder, std::size_t maxChars = 63);

// The edge of the image list's cells: IconSize where an image list can have it.
std::int32_t imageEdgeFor(std::int32_t iconSize);
