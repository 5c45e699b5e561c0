#include "settings/system_look_win.h"

#include "framework/dpi_win.h"
#include "settings/display_scale.h"

#include <cstring>

static_assert(sizeof(LOGFONTA) == sizeof(FontRecord), "FontRecord must match LOGFONTA");

LOGFONTA toLogFont(const FontRecord& font)
{
    LOGFONTA logFont;
    std::memcpy(&logFont, &font, sizeof(logFont));
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return logFont;
}

FontRecord fromLogFont(const LOGFONTA& logFont)
{
    FontRecord font;
    std::memcpy(static_cast<void*>(&font), &logFont, sizeof(font));
    return font;
}

FontRecord systemMenuFont()
{
    NONCLIENTMETRICSA metrics{};
    // The size without iPaddedBorderWidth, which every version of the system accepts.
    metrics.cbSize = 340;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return FontRecord{};
    return fromLogFont(metrics.lfMenuFont);
}

SystemLook currentSystemLook()
{
    SystemLook look;
    look.menuTextColor = GetSysColor(COLOR_MENUTEXT);
    look.menuColor = GetSysColor(COLOR_MENU);
    // The system gives it at its own DPI; stored, a height means pixels at 96.
    look.menuFont = fontAt96(systemMenuFont(), static_cast<std::int32_t>(systemDpi()));
    return look;
}
