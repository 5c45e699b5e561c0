#include "settings/menu_palette.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return red | (green << 8) | (blue << 16);
}

double relativeLuminance(std::uint32_t colour)
{
    auto channel = [](std::uint32_t value) {
        double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF) +
           0.0722 * channel((colour >> 16) & 0xFF);
}

}  // namespace

MenuPalette darkMenuPalette()
{
    MenuPalette dark;
    dark.menu = rgb(43, 43, 43);
    dark.menuText = rgb(255, 255, 255);
    dark.highlight = rgb(65, 65, 65);
    dark.highlightText = rgb(255, 255, 255);
    dark.blendsPictures = false;
    return dark;
}

MenuPalette paletteOf(bool followsSystem, std::uint32_t setText, std::uint32_t setBackground,
                      const SystemTheme& theme)
{
    if (theme.highContrast) {
        MenuPalette system = theme.menus;
        system.blendsPictures = false;
        return system;
    }
    if (followsSystem)
        return theme.darkApps ? darkMenuPalette() : theme.menus;
    MenuPalette chosen = theme.menus;
    chosen.menu = setBackground;
    chosen.menuText = setText;
    return chosen;
}

double contrastRatio(std::uint32_t first, std::uint32_t second)
{
    double a = relativeLuminance(first);
    double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
