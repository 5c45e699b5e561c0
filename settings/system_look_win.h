#pragma once

#include "settings/launcher_settings.h"
#include "settings/menu_palette.h"

#include <windows.h>

// The system's menu font and colours, the defaults of every settings set; the font as it is
// stored, its height in pixels at 96 DPI.
SystemLook currentSystemLook();

// The font the system uses for menus (NONCLIENTMETRICS with the size every version accepts), in
// pixels at the system's DPI, as the system's own menus are drawn.
FontRecord systemMenuFont();

// The system's menu colours, the user's choice of dark apps and high contrast, as they are now.
SystemTheme currentSystemTheme();

// Lets the program's standard popup menus (not the owner-drawn launcher menu, which draws its
// own) follow dark mode where Windows has the means for Win32 menus: Windows 10 1903 and later,
// through functions of uxtheme.dll that Windows exports only by ordinal and does not document.
// Elsewhere, or when they are not there, the menus stay light. Called at the start and again
// whenever the user switches.
void followDarkModeInPopupMenus();

LOGFONTA toLogFont(const FontRecord& font);
FontRecord fromLogFont(const LOGFONTA& font);
