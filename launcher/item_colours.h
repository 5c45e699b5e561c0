// The colours an owner-drawn launcher item is drawn in: the set's, the system's highlight for
// the highlighted item, and under a high-contrast theme the system's alone.
#pragma once

#include <cstdint>

struct SystemMenuColours {
    std::uint32_t menu = 0;
    std::uint32_t menuText = 0;
    std::uint32_t highlight = 0;
    std::uint32_t highlightText = 0;
};

struct ItemColours {
    std::uint32_t background = 0;
    std::uint32_t text = 0;
    // The picture blended into the highlight, as the shell's lists show a selection.
    bool blendPicture = false;
    // The keyboard's place framed, beyond the highlight's colour.
    bool focusFrame = false;
};

// selected and focused are the item's state bits; noFocusRect says the system wants no frame.
ItemColours itemColours(std::uint32_t setBackground, std::uint32_t setText,
                        const SystemMenuColours& system, bool highContrast, bool selected,
                        bool focused, bool noFocusRect);
