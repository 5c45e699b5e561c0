// Size and layout of one owner-drawn launcher item, from the settings in force and the extent
// of its text. Measuring and drawing both ask here, so they always agree.
#pragma once

#include <cstdint>
#include <string>

// The text an item shows: its display text cut to the first stringsNumber bytes (none for a
// negative count). Bytes, as the setting counts them: the cut may fall inside a double-byte
// character.
std::string shownItemText(const std::string& displayText, std::int32_t stringsNumber);

struct ItemSize {
    bool valid = false;  // false for a display mode outside 0 to 2
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The item's size for the mode. For an unknown mode the system's proposal (proposedWidth,
// proposedHeight) stays, still given the extra height. No size is negative and none exceeds
// maxItemExtent, whatever the settings hold.
constexpr std::int32_t maxItemExtent = 0x7FFF;
ItemSize measuredItemSize(std::int32_t iconPrint, std::int32_t iconSize,
                          std::int32_t heightSpace, std::int32_t textWidth,
                          std::int32_t textHeight, std::int32_t proposedWidth,
                          std::int32_t proposedHeight);

// Where the text of an item is written, relative to the item's top-left corner.
struct TextPlace {
    bool drawn = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
// A name-only item's text starts nameMargin pixels from the item's left edge (4 at 96 DPI).
TextPlace itemTextPlace(std::int32_t iconPrint, std::int32_t iconSize, std::int32_t textHeight,
                        std::int32_t nameMargin = 4);
