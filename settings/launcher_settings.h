// One set of display settings of the launcher menu. The fields carry the names of their profile
// values, so the code reads like the stored layout.
#pragma once

#include <cstdint>
#include <string>

// A font description laid out byte for byte like the platform's LOGFONTA (60 bytes), so that it
// is stored in exactly that form and handed to the platform unchanged.
struct FontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(FontRecord) == 60, "FontRecord must match LOGFONTA");

// The colours and font the system uses for menus; the defaults of every set come from here.
struct SystemLook {
    std::uint32_t menuTextColor = 0;
    std::uint32_t menuColor = 0xFFFFFF;
    FontRecord menuFont;
};

// A hot key as the hot key control reports it: low byte virtual-key code, high byte the
// modifier flags; 0 means none.
using HotkeyWord = std::uint16_t;

struct LauncherSettings {
    std::string Folder;  // at most 259 characters
    bool PrintEnt = false;
    bool PrintLnk = false;
    std::int32_t IconSize = 0;
    std::int32_t IconPrint = 0;
    std::int32_t DesktopRatio = 0;
    bool PrintMyself = false;
    std::int32_t StringsNumber = 0;
    HotkeyWord HoyKey = 0;
    std::int32_t HeightSpace = 0;
    FontRecord Font;
    std::uint32_t FontRGB = 0;
    std::uint32_t BackgroundColor = 0;
    bool FolderMenu = false;
    // The colours of the system (its dark palette too), or FontRGB and BackgroundColor.
    bool SystemColors = true;
};

// Text the standard set carries as its Folder; it never matches a path.
extern const char standardSetFolderText[];

// Display modes of IconPrint.
enum DisplayMode : std::int32_t { displayNameOnly = 0, displayIconOnly = 1, displayNameAndIcon = 2 };

LauncherSettings standardDefaults(const SystemLook& look);
LauncherSettings folderDefaults(const SystemLook& look);
