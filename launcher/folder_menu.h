// The folder items of the tray command popup.
#pragma once

#include <string>

// The last component's name without its extension; for a path without one (a drive root such
// as C:\) the drive and directory.
std::string folderItemText(const std::string& path);

// Items per column of the popup: the share DesktopRatio (percent) of the desktop height,
// divided by the menu font height; at least 1. A font height of 0 counts as 1 pixel.
int folderMenuRows(int desktopRatio, int desktopHeight, int menuFontHeight);

// Whether the item at this popup position (counted from 0 over all items) starts a column.
bool startsNewColumn(int position, int rows);
