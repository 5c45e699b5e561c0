#include "launcher/menu_placement.h"

#include <algorithm>

namespace {

bool contains(const ScreenRect& rect, ScreenPoint point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

// How far the point lies outside the rectangle along one axis.
std::int64_t outside(std::int64_t value, std::int64_t low, std::int64_t high)
{
    if (value < low)
        return low - value;
    if (value >= high)
        return value - (high - 1);
    return 0;
}

std::int64_t squaredDistance(const ScreenRect& rect, ScreenPoint point)
{
    std::int64_t dx = outside(point.x, rect.left, rect.right);
    std::int64_t dy = outside(point.y, rect.top, rect.bottom);
    return dx * dx + dy * dy;
}

}  // namespace

int monitorAt(const std::vector<MonitorArea>& monitors, ScreenPoint point)
{
    int nearest = -1;
    std::int64_t nearestDistance = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (contains(monitors[i].monitor, point))
            return static_cast<int>(i);
        std::int64_t distance = squaredDistance(monitors[i].monitor, point);
        if (nearest < 0 || distance < nearestDistance) {
            nearest = static_cast<int>(i);
            nearestDistance = distance;
        }
    }
    return nearest;
}

bool hotkeyMenuCorner(const std::vector<MonitorArea>& monitors, ScreenPoint pointer,
                      ScreenPoint& corner)
{
    int index = monitorAt(monitors, pointer);
    if (index < 0)
        return false;
    const ScreenRect& work = monitors[static_cast<std::size_t>(index)].work;
    // A work area that is empty (a taskbar filling the monitor) still gives a point on it.
    corner.x = std::max(work.left, work.right - 1);
    corner.y = std::max(work.top, work.bottom - 1);
    return true;
}
