// The launcher menu's lengths in the pixels of the monitor it pops up on. The set in force keeps
// its lengths at 96 DPI; the menu is measured, drawn and split into columns with these.
#pragma once

#include "settings/launcher_settings.h"

#include <cstdint>

// What a built menu was measured for. The system keeps the item sizes it measured once, so a
// menu that is to pop up on a monitor of another DPI or height is built again first.
struct MenuTarget {
    std::int32_t dpi = 96;
    // The monitor's height in its own pixels: what the desktop's bottom was on one screen.
    std::int64_t screenHeight = 0;

    bool operator==(const MenuTarget& other) const
    {
        return dpi == other.dpi && screenHeight == other.screenHeight;
    }
    bool operator!=(const MenuTarget& other) const { return !(*this == other); }
};

struct MenuLengths {
    // The icon edge, the image list's cells and the item geometry's alike, so that an image
    // always fills the place measured for it.
    std::int32_t iconSize = 0;
    std::int32_t heightSpace = 0;
    // Where a name-only item's text starts.
    std::int32_t nameMargin = 0;
};

MenuLengths menuLengthsFor(const LauncherSettings& settings, std::int32_t dpi);
