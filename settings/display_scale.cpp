#include "settings/display_scale.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t mulDiv(std::int32_t value, std::int32_t numerator, std::int32_t denominator)
{
    std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t half = denominator / 2;
    std::int64_t result = product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        result, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t usableDpi(std::int32_t dpi)
{
    return dpi > 0 ? dpi : baseDpi;
}

}  // namespace

std::int32_t scaledLength(std::int32_t length96, std::int32_t dpi)
{
    return mulDiv(length96, usableDpi(dpi), baseDpi);
}

std::int32_t lengthAt96(std::int32_t length, std::int32_t dpi)
{
    return mulDiv(length, baseDpi, usableDpi(dpi));
}

FontRecord fontAtDpi(const FontRecord& font96, std::int32_t dpi)
{
    FontRecord font = font96;
    font.lfHeight = scaledLength(font96.lfHeight, dpi);
    font.lfWidth = scaledLength(font96.lfWidth, dpi);
    return font;
}

FontRecord fontAt96(const FontRecord& font, std::int32_t dpi)
{
    FontRecord font96 = font;
    font96.lfHeight = lengthAt96(font.lfHeight, dpi);
    font96.lfWidth = lengthAt96(font.lfWidth, dpi);
    return font96;
}

int shellImageFor(std::int32_t edge, const std::vector<std::int32_t>& imageEdges)
{
    int best = -1;
    int largest = -1;
    for (std::size_t i = 0; i < imageEdges.size(); ++i) {
        int index = static_cast<int>(i);
        if (largest < 0 || imageEdges[i] > imageEdges[static_cast<std::size_t>(largest)])
            largest = index;
        if (imageEdges[i] >= edge &&
            (best < 0 || imageEdges[i] < imageEdges[static_cast<std::size_t>(best)]))
            best = index;
    }
    return best >= 0 ? best : largest;
}
