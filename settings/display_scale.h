// Lengths at the DPI of the monitor the launcher draws on. Every stored length (IconSize,
// HeightSpace, the font's height) keeps its meaning at 96 DPI, the 100 % of the display
// settings: a stored IconSize of 32 is 32 pixels at 96 DPI and 48 at 144.
#pragma once

#include "settings/launcher_settings.h"

#include <cstdint>
#include <vector>

constexpr std::int32_t baseDpi = 96;

// A length stored at 96 DPI, in pixels at dpi, rounded to the nearest pixel (halves away from
// zero, as the system's MulDiv rounds); the sign is kept. A dpi below 1 counts as 96.
std::int32_t scaledLength(std::int32_t length96, std::int32_t dpi);

// The reverse, for a length the system gave in pixels at dpi that is to be stored: a font height
// the font dialog chose at the system's DPI, the system's own menu font.
std::int32_t lengthAt96(std::int32_t length, std::int32_t dpi);

// A font stored at 96 DPI as it is drawn at dpi (its height and width scaled), and back: a font
// the system or the font dialog gives at dpi as it is stored. A height or width of 0 (the
// font's own default) stays 0.
FontRecord fontAtDpi(const FontRecord& font96, std::int32_t dpi);
FontRecord fontAt96(const FontRecord& font, std::int32_t dpi);

// Which of the shell's icon images to draw an icon of edge pixels from: the index of the
// smallest of imageEdges that is at least edge, so an icon is only ever scaled down (a 48-pixel
// icon, a stored 32 at 144 DPI, comes from a 48-pixel image, not from a 32 blown up); the largest
// when none is. -1 for an empty list.
int shellImageFor(std::int32_t edge, const std::vector<std::int32_t>& imageEdges);
