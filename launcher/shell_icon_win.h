// Where the shell's pictures for an icon of any edge come from: the smallest of the shell's image
// lists (small, large, extra large, jumbo) whose images are at least that large, so that an icon
// at 150 % is drawn from a larger image rather than blown up from a smaller one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

struct ShellImageSource {
    // The list to take a picture from by the system's index; null when the shell gives none.
    HIMAGELIST list = nullptr;
    // For icons the shell hands out whole (SHGFI_ICON), which come in its small or large size
    // only: the one of the two nearest the edge from above, else the large.
    UINT sizeFlag = SHGFI_LARGEICON;
    // The whole icons are smaller than the list's images (an edge above the shell's large
    // icon: 175 %, 200 %): a shortcut's icon is better drawn from the list, its arrow laid on
    // at the list's size, than blown up.
    bool wholeIconsSmaller = false;
};

ShellImageSource shellImageSourceFor(int edge);

// Whether the registry gives the type's files pictures of their own: a DefaultIcon of "%1"
// (the file's own icon) or an icon handler that looks into each file. The extension without its
// dot.
bool typeDrawsEachFile(const std::string& extension);
