// What a damaged profile may hand the program: numbers that no dialog stores and that make the
// launcher menu unusable (a display mode that draws nothing, columns of no height, a font
// thousands of pixels high). Loading puts the set's default in their place; the stored values
// stay as they are until the next save writes the values in use, in the same form.
#pragma once

#include "settings/launcher_settings.h"

// The limits of a usable font record (it also needs a face name): beyond them the record is damage, not a choice made in
// the font dialog.
constexpr std::int32_t maxFontExtent = 1000;    // |lfHeight| and |lfWidth|, pixels
constexpr std::int32_t maxFontWeight = 1000;    // lfWeight 0 to 1000
constexpr std::int32_t maxFontAngle = 3600;     // |lfEscapement| and |lfOrientation|, tenths

bool isUsableFont(const FontRecord& font);

// Every field outside what the program can work with takes the default's value: IconPrint
// outside 0 to 2, IconSize outside 1 to 256 (the cells an image list can have), DesktopRatio
// outside 1 to 100, StringsNumber outside 1 to 260, HeightSpace outside 0 to 32, a colour with
// bits above its 24 RGB bits, and a font outside the limits above.
void replaceUnusableValues(LauncherSettings& set, const LauncherSettings& defaults);

// A switch is stored as 0 or 1; any other number is damage and gives the fallback. (A switch
// read as a boolean has already lost the number, so it is judged as it is read.)
bool usableSwitch(std::int32_t stored, bool fallback);
