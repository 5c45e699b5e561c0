// The monitors as the system lays them out, and the place of the hot-key menu on them.
#pragma once

#include "launcher/menu_placement.h"
#include "launcher/menu_scale.h"

#include <windows.h>

#include <vector>

// Every monitor of the desktop with its work area, in the system's order.
std::vector<MonitorArea> monitorAreas();

// Where the hot-key menu pops up, with the alignment flags TrackPopupMenu needs for it.
struct PopupPlace {
    POINT point{};
    UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN;
};

// The bottom-right corner of the work area of the monitor under the pointer, the menu's
// bottom-right corner aligned with it. Should the system tell nothing about its monitors, the
// point beyond the primary screen's corner, where the system pushes the menu into that corner.
PopupPlace hotkeyMenuPlace();

// The monitor a menu popped up at the point lies on: its DPI and its height in its own pixels.
MenuTarget menuTargetAt(POINT point);

// The same for the monitor under the pointer, where the next launcher menu pops up.
MenuTarget menuTargetAtPointer();
