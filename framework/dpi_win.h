// The DPI a window or monitor is drawn at, asked of whatever the running system offers: per
// monitor from Windows 8.1 on, per window from Windows 10 (1607) on, one DPI for the whole
// system before. The newer functions are looked up at run time, so the programs still start
// where they do not exist.
#pragma once

#include <windows.h>

// The system's DPI: the one every monitor had when the user logged on, and the only one a
// program that is not aware of monitors sees.
UINT systemDpi();

// The effective DPI of a monitor (the display settings' scale times 96); the system's DPI where
// the system cannot tell monitors apart, or for a null monitor.
UINT monitorDpi(HMONITOR monitor);

// The DPI of the monitor holding the screen point, or of the nearest one.
UINT dpiAtPoint(POINT point);

// The DPI a window is drawn at.
UINT windowDpi(HWND window);
