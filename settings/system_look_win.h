#pragma once

#include "settings/launcher_settings.h"

#include <windows.h>

// The system's menu font and colours, the defaults of every settings set.
SystemLook currentSystemLook();

// The font the system uses for menus (NONCLIENTMETRICS with the size every version accepts).
FontRecord systemMenuFont();

LOGFONTA toLogFont(const FontRecord& font);
FontRecord fromLogFont(const LOGFONTA& font);
