#include "launcher/menu_layout.h"

#include "common/path_text.h"

#include <algorithm>
#include <climits>

std::string entryDisplayText(const std::string& entryName, bool printEnt, bool printLnk)
{
    PathParts parts = splitPath(entryName);
    bool showExtension = parts.extension == ".lnk" ? printLnk : printEnt;
    if (showExtension)
        return entryName;
    return entryName.substr(0, entryName.size() - parts.extension.size());
}

std::int64_t rowHeight(std::int32_t iconPrint, std::int32_t iconSize, std::int64_t textHeight)
{
    std::int64_t height = 1;
    if (iconPrint != 1)
        height = textHeight;
    if (iconPrint != 0 && height < iconSize)
        height = iconSize;
    if (height == 0)
        height = 1;
    return height;
}

int rowsPerColumnFor(std::int64_t desktopBottom, std::int32_t desktopRatio,
                     std::int32_t heightSpace, std::int64_t rowHeight)
{
    // 64 bits hold every product and sum of 32-bit inputs; C++ division truncates toward zero
    // as the rule asks.
    std::int64_t columnHeight = static_cast<std::int64_t>(desktopRatio) * desktopBottom / 100;
    std::int64_t step = static_cast<std::int64_t>(heightSpace) + rowHeight;
    if (step < 1)
        step = 1;
    std::int64_t rows = columnHeight / step;
    if (rows < 1)
        rows = 1;
    return static_cast<int>(std::min<std::int64_t>(rows, INT_MAX));
}

std::size_t entryCapacity(bool printMyself)
{
    return printMyself ? launcherIdCount - 1 : launcherIdCount;
}

std::string trayTipFor(const std::string& folder, std::size_t maxChars)
{
    PathParts parts = splitPath(folder);
    std::string tip = parts.name.empty() ? parts.drive + parts.directory : parts.name;
    return cutWhole(tip, maxChars);
}

std::int32_t imageEdgeFor(std::int32_t iconSize)
{
    // The shell delivers icons of 16 and 32 pixels; an edge outside 1 to 256 gives no image
    // list at all (or one whose images cannot be allocated).
    return std::clamp<std::int32_t>(iconSize, 1, 256);
}
