#include "framework/dpi_win.h"

#include "framework/system_library_win.h"

namespace {

// Ours, since older headers lack them; the values are the system's.
constexpr int effectiveDpi = 0;  // MDT_EFFECTIVE_DPI
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();

}  // namespace

UINT systemDpi()
{
    static const auto getDpiForSystem =
        systemFunction<GetDpiForSystemFunction>("user32.dll", "GetDpiForSystem");
    if (getDpiForSystem) {
        UINT dpi = getDpiForSystem();
        if (dpi > 0)
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT monitorDpi(HMONITOR monitor)
{
    static const auto getDpiForMonitor =
        systemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, effectiveDpi, &x, &y)) &&
        y > 0)
        return y;
    return systemDpi();
}

UINT dpiAtPoint(POINT point)
{
    return monitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

UINT windowDpi(HWND window)
{
    static const auto getDpiForWindow =
        systemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    if (window && getDpiForWindow) {
        UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    return systemDpi();
}
