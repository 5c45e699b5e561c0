#include "launcher/folder_menu.h"

#include "common/path_text.h"

#include <cstdint>
#include <cstdlib>

std::string folderItemText(const std::string& path)
{
    PathParts parts = splitPath(path);
    if (!parts.name.empty())
        return parts.name;
    return parts.drive + parts.directory;
}

int folderMenuRows(int desktopRatio, int desktopHeight, int menuFontHeight)
{
    // The ratio comes from the profile unchecked: 64-bit arithmetic keeps a huge one from
    // overflowing.
    std::int64_t height = std::llabs(static_cast<long long>(menuFontHeight));
    if (height == 0)
        height = 1;
    std::int64_t rows =
        static_cast<std::int64_t>(desktopRatio) * static_cast<std::int64_t>(desktopHeight) / 100 /
        height;
    if (rows < 1)
        return 1;
    return rows > INT32_MAX ? INT32_MAX : static_cast<int>(rows);
}

bool startsNewColumn(int position, int rows)
{
    return rows > 0 && position != 0 && position % rows == 0;
}
