#include "launcher/item_colours.h"

ItemColours itemColours(std::uint32_t setBackground, std::uint32_t setText,
                        const SystemMenuColours& system, bool highContrast, bool selected,
                        bool focused, bool noFocusRect)
{
    // A high-contrast theme is the user's need, not a taste: the system's colours win over the
    // set's, pictures keep their outlines instead of being blended into the highlight, and the
    // keyboard's place is framed.
    ItemColours colours;
    colours.background = highContrast ? system.menu : setBackground;
    colours.text = highContrast ? system.menuText : setText;
    if (selected || focused) {
        colours.background = system.highlight;
        colours.text = system.highlightText;
        colours.blendPicture = !highContrast;
        colours.focusFrame = highContrast && !noFocusRect;
    }
    return colours;
}
