#include "settings/usable_values.h"

namespace {

template <class T>
void keepWithin(T& value, T lowest, T highest, T fallback)
{
    if (value < lowest || value > highest)
        value = fallback;
}

bool withinMagnitude(std::int32_t value, std::int32_t limit)
{
    // -limit to limit; written so that the most negative number cannot overflow.
    return value >= -limit && value <= limit;
}

void keepColour(std::uint32_t& colour, std::uint32_t fallback)
{
    // The high byte would ask for a palette entry (or be no colour at all); the colour dialog
    // never gives one.
    if ((colour & 0xFF000000u) != 0)
        colour = fallback;
}

}  // namespace

bool isUsableFont(const FontRecord& font)
{
    // The writer never stores a record without a face name; one read back is text that was
    // not hexadecimal, which decodes to zeros: the ANSI character set, with no glyph for
    // Japanese.
    return font.lfFaceName[0] != '\0' && withinMagnitude(font.lfHeight, maxFontExtent) &&
           withinMagnitude(font.lfWidth, maxFontExtent) && font.lfWeight >= 0 &&
           font.lfWeight <= maxFontWeight && withinMagnitude(font.lfEscapement, maxFontAngle) &&
           withinMagnitude(font.lfOrientation, maxFontAngle);
}

bool usableSwitch(std::int32_t stored, bool fallback)
{
    if (stored == 0 || stored == 1)
        return stored == 1;
    return fallback;
}

void replaceUnusableValues(LauncherSettings& set, const LauncherSettings& defaults)
{
    keepWithin<std::int32_t>(set.IconPrint, displayNameOnly, displayNameAndIcon,
                             defaults.IconPrint);
    keepWithin<std::int32_t>(set.IconSize, 1, 256, defaults.IconSize);
    keepWithin<std::int32_t>(set.DesktopRatio, 1, 100, defaults.DesktopRatio);
    keepWithin<std::int32_t>(set.StringsNumber, 1, 260, defaults.StringsNumber);
    keepWithin<std::int32_t>(set.HeightSpace, 0, 32, defaults.HeightSpace);
    keepColour(set.FontRGB, defaults.FontRGB);
    keepColour(set.BackgroundColor, defaults.BackgroundColor);
    if (!isUsableFont(set.Font))
        set.Font = defaults.Font;
}
