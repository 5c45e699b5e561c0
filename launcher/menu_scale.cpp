#include "launcher/menu_scale.h"

#include "launcher/menu_layout.h"
#include "settings/display_scale.h"

MenuLengths menuLengthsFor(const LauncherSettings& settings, std::int32_t dpi)
{
    MenuLengths lengths;
    // Capped where an image list's cells end, at the largest DPIs and icons.
    lengths.iconSize = imageEdgeFor(scaledLength(settings.IconSize, dpi));
    lengths.heightSpace = scaledLength(settings.HeightSpace, dpi);
    lengths.nameMargin = scaledLength(4, dpi);
    return lengths;
}
