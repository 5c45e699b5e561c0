#pragma once

#include "settings/launcher_settings.h"

#include <windows.h>

// The system's menu font and colours, the defaults of every settings set; the font as it is
// stored, its height in pixels at 96 DPI.
SystemLook currentSystemLook();

// The font the system uses for menus (NONCLIENTMETRICS with the size every version accepts), in
// pixels at the system's DPI, as the system's own menus are drawn.
FontRecord systemMenuFont();

LOGFONTA toLogFont(const FontRecord& font);
FontRecord fromLogFont(const LOGFONTA& font);
