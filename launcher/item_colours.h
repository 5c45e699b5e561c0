// The colours an owner-drawn launcher item is drawn in, by its state: the palette's, its
// highlight for the highlighted item, and under a high-contrast theme a frame at the keyboard's
// place.
#pragma once

#include "settings/menu_palette.h"

#include <cstdint>

struct ItemColours {
    std::uint32_t background = 0;
    std::uint32_t text = 0;
    bool blendPicture = false;
    // The keyboard's place framed, beyond the highlight's colour.
    bool focusFrame = false;
};

// selected and focused are the item's state bits; noFocusRect says the system wants no frame.
ItemColours itemColours(const MenuPalette& palette, bool highContrast, bool selected,
                        bool focused, bool noFocusRect);
