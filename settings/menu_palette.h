// The colours a launcher menu is drawn in: a set's own, the system's menu colours, or the dark
// palette of a user who chose dark apps. Which one is the set's SystemColors switch, the
// user's theme, and high contrast, which overrides every choice.
#pragma once

#include <cstdint>

struct MenuPalette {
    std::uint32_t menu = 0;
    std::uint32_t menuText = 0;
    std::uint32_t highlight = 0;
    std::uint32_t highlightText = 0;
    // The picture blended into the highlight, as the shell's lists show a selection; a dark
    // highlight or a high-contrast one shows the picture as it is.
    bool blendsPictures = true;
};

struct SystemTheme {
    // COLOR_MENU, COLOR_MENUTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT of this moment.
    MenuPalette menus;
    bool darkApps = false;
    bool highContrast = false;
};

// Windows' own dark menus: the text stands out at 7:1 or more on both backgrounds.
MenuPalette darkMenuPalette();

// A set that follows the system gets its colours of this moment (dark ones in dark mode); a set
// whose colours the user chose keeps them with the system's highlight; high contrast gives the
// system's colours to every set.
MenuPalette paletteOf(bool followsSystem, std::uint32_t setText, std::uint32_t setBackground,
                      const SystemTheme& theme);

// The WCAG contrast ratio of two colours (0x00BBGGRR), 1 to 21.
double contrastRatio(std::uint32_t first, std::uint32_t second);
