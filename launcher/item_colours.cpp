#include "launcher/item_colours.h"

ItemColours itemColours(const MenuPalette& palette, bool highContrast, bool selected,
                        bool focused, bool noFocusRect)
{
    ItemColours colours;
    colours.background = palette.menu;
    colours.text = palette.menuText;
    if (selected || focused) {
        colours.background = palette.highlight;
        colours.text = palette.highlightText;
        colours.blendPicture = palette.blendsPictures;
        // A high-contrast theme is the user's need: the keyboard's place shows beyond colour.
        colours.focusFrame = highContrast && !noFocusRect;
    }
    return colours;
}
