#include "launcher/menu_placement_win.h"

#include "framework/dpi_win.h"

namespace {

ScreenRect screenRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(areas)->push_back(
            {screenRect(info.rcMonitor), screenRect(info.rcWork)});
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> monitorAreas()
{
    std::vector<MonitorArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

PopupPlace hotkeyMenuPlace()
{
    PopupPlace place;
    POINT pointer{};
    ScreenPoint corner;
    if (GetCursorPos(&pointer) &&
        hotkeyMenuCorner(monitorAreas(), {pointer.x, pointer.y}, corner)) {
        place.point = {corner.x, corner.y};
        place.alignment = TPM_RIGHTALIGN | TPM_BOTTOMALIGN;
        return place;
    }
    place.point = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    return place;
}

MenuTarget menuTargetAt(POINT point)
{
    MenuTarget target;
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoA(monitor, &info))
        target.screenHeight = info.rcMonitor.bottom - info.rcMonitor.top;
    target.dpi = static_cast<std::int32_t>(monitorDpi(monitor));
    return target;
}

MenuTarget menuTargetAtPointer()
{
    POINT pointer{};
    GetCursorPos(&pointer);
    return menuTargetAt(pointer);
}
