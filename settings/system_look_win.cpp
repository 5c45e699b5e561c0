#include "settings/system_look_win.h"

#include "framework/dpi_win.h"
#include "framework/handles_win.h"
#include "framework/system_library_win.h"
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

namespace {

// Windows 10 and 11 keep the user's choice of light or dark apps here; without it, light.
bool appsUseDarkTheme()
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                      KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    RegistryKey key(opened);
    DWORD value = 1, type = 0, size = sizeof(value);
    if (RegQueryValueExA(key.get(), "AppsUseLightTheme", nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    return value == 0;
}

bool highContrastOn()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

// The build of Windows 10 or 11, 0 on anything older. RtlGetVersion tells the truth where
// GetVersionEx answers what the manifest allows.
DWORD windowsTenBuild()
{
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto getVersion = systemFunction<GetVersion>("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!getVersion || getVersion(&version) != 0 || version.dwMajorVersion < 10)
        return 0;
    return version.dwBuildNumber;
}

}  // namespace

SystemTheme currentSystemTheme()
{
    SystemTheme theme;
    theme.menus.menu = GetSysColor(COLOR_MENU);
    theme.menus.menuText = GetSysColor(COLOR_MENUTEXT);
    theme.menus.highlight = GetSysColor(COLOR_HIGHLIGHT);
    theme.menus.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    theme.highContrast = highContrastOn();
    theme.darkApps = !theme.highContrast && appsUseDarkTheme();
    return theme;
}

void followDarkModeInPopupMenus()
{
    // The ordinals are those of Windows 10 1903 (build 18362) and every build since; before it
    // 135 was another function, so older builds are left alone.
    constexpr DWORD firstKnownBuild = 18362;
    static const bool known = windowsTenBuild() >= firstKnownBuild;
    if (!known)
        return;
    using SetPreferredAppMode = int(WINAPI*)(int);
    using Refresh = void(WINAPI*)();
    static const auto setMode =
        systemFunction<SetPreferredAppMode>("uxtheme.dll", MAKEINTRESOURCEA(135));
    static const auto refreshPolicy =
        systemFunction<Refresh>("uxtheme.dll", MAKEINTRESOURCEA(104));
    static const auto flushMenuThemes =
        systemFunction<Refresh>("uxtheme.dll", MAKEINTRESOURCEA(136));
    if (!setMode || !flushMenuThemes)
        return;
    // 1: dark where the user chose dark apps, light otherwise.
    constexpr int allowDark = 1;
    setMode(allowDark);
    if (refreshPolicy)
        refreshPolicy();
    flushMenuThemes();
}
