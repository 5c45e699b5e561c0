#include "launcher/item_geometry.h"

#include <algorithm>

namespace {

std::int32_t clampExtent(std::int64_t value, std::int32_t lowest)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, lowest, maxItemExtent));
}

std::int32_t clampOffset(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -maxItemExtent, maxItemExtent));
}

}  // namespace

std::string shownItemText(const std::string& displayText, std::int32_t stringsNumber)
{
    if (stringsNumber <= 0)
        return {};
    return displayText.substr(0, std::min<std::size_t>(displayText.size(),
                                                       static_cast<std::size_t>(stringsNumber)));
}

ItemSize measuredItemSize(std::int32_t iconPrint, std::int32_t iconSize,
                          std::int32_t heightSpace, std::int32_t textWidth,
                          std::int32_t textHeight, std::int32_t proposedWidth,
                          std::int32_t proposedHeight)
{
    std::int64_t width = proposedWidth;
    std::int64_t height = proposedHeight;
    bool valid = true;
    switch (iconPrint) {
    case 0:
        width = textWidth;
        height = textHeight;
        break;
    case 1:
        width = iconSize;
        height = iconSize;
        break;
    case 2:
        width = std::max<std::int64_t>(textWidth, iconSize) + 2 * static_cast<std::int64_t>(iconSize);
        height = std::max<std::int64_t>(textHeight, iconSize);
        break;
    default:
        valid = false;
        break;
    }
    height += heightSpace;
    // An item needs a row of pixels to be chosen at all; a width of 0 (an empty name) is fine.
    return {valid, clampExtent(width, 0), clampExtent(height, 1)};
}

TextPlace itemTextPlace(std::int32_t iconPrint, std::int32_t iconSize, std::int32_t textHeight,
                        std::int32_t nameMargin)
{
    switch (iconPrint) {
    case 0:
        return {true, clampOffset(nameMargin), 0};
    case 2: {
        // Centred on the icon when the icon is the taller; at the top otherwise, so the text
        // stays inside an item that is as high as the text.
        std::int64_t y = iconSize >= textHeight ? (static_cast<std::int64_t>(iconSize) - textHeight) / 2 : 0;
        std::int64_t x = static_cast<std::int64_t>(iconSize) * 3 / 2;
        return {true, clampOffset(x), clampOffset(y)};
    }
    default:
        return {};
    }
}
