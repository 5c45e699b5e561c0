// Where the launcher menu pops up for a hot key: in the bottom-right corner of the work area
// (the screen less the taskbar) of the monitor the user works on, the one holding the pointer.
#pragma once

#include <cstdint>
#include <vector>

// Screen coordinates; right and bottom lie just outside, as in the platform's rectangles. A
// monitor left of or above the primary one has negative coordinates.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct MonitorArea {
    ScreenRect monitor;
    ScreenRect work;
};

// The monitor holding the point; for a point on none (between monitors of different sizes, or
// on one just taken away) the nearest, as the system picks it. -1 when there are no monitors.
int monitorAt(const std::vector<MonitorArea>& monitors, ScreenPoint point);

// The point the menu's bottom-right corner is aligned with: the last pixel inside that monitor's
// work area, so the system cannot take the point for a neighbouring monitor's. False when
// there are no monitors.
bool hotkeyMenuCorner(const std::vector<MonitorArea>& monitors, ScreenPoint pointer,
                      ScreenPoint& corner);
