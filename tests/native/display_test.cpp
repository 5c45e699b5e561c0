#include "launcher/item_geometry.h"
#include "launcher/menu_layout.h"
#include "launcher/menu_placement.h"
#include "launcher/menu_scale.h"
#include "settings/display_scale.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A 1920 x 1080 primary monitor with its taskbar 40 pixels high at the bottom.
const MonitorArea primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};

ScreenPoint cornerFor(const std::vector<MonitorArea>& monitors, ScreenPoint pointer)
{
    ScreenPoint corner{-99999, -99999};
    EXPECT_TRUE(hotkeyMenuCorner(monitors, pointer, corner));
    return corner;
}

void expectPoint(ScreenPoint point, std::int32_t x, std::int32_t y)
{
    EXPECT_EQ(point.x, x);
    EXPECT_EQ(point.y, y);
}

TEST(HotkeyMenuPlacement, CornerOfTheWorkAreaOfTheMonitorUnderThePointer)
{
    // A second monitor left of the primary, with a taskbar of its own on its left edge.
    const MonitorArea left{{-1280, 0, 0, 1024}, {-1220, 0, 0, 1024}};
    // A third above the primary, taskbar at its top: the corner is unaffected by it.
    const MonitorArea above{{0, -900, 1600, 0}, {0, -860, 1600, 0}};
    std::vector<MonitorArea> layout{primary, left, above};

    expectPoint(cornerFor(layout, {960, 500}), 1919, 1039);
    expectPoint(cornerFor(layout, {-640, 500}), -1, 1023);
    expectPoint(cornerFor(layout, {800, -450}), 1599, -1);
    // Edges: the left monitor's right edge is the primary's first column.
    expectPoint(cornerFor(layout, {0, 0}), 1919, 1039);
    expectPoint(cornerFor(layout, {-1, 0}), -1, 1023);
    expectPoint(cornerFor(layout, {1599, -1}), 1599, -1);
    // The pointer on the taskbar is still on its monitor.
    expectPoint(cornerFor(layout, {1900, 1070}), 1919, 1039);
}

TEST(HotkeyMenuPlacement, TaskbarOnAnyEdgeKeepsTheMenuOffIt)
{
    const ScreenRect screen{0, 0, 1024, 768};
    // Bottom, left, top, right.
    for (auto [work, x, y] : {std::tuple{ScreenRect{0, 0, 1024, 728}, 1023, 727},
                              std::tuple{ScreenRect{60, 0, 1024, 768}, 1023, 767},
                              std::tuple{ScreenRect{0, 40, 1024, 768}, 1023, 767},
                              std::tuple{ScreenRect{0, 0, 964, 768}, 963, 767}})
        expectPoint(cornerFor({{screen, work}}, {10, 10}), x, y);
}

TEST(HotkeyMenuPlacement, PointerOnNoMonitorTakesTheNearestAndNoMonitorGivesNoCorner)
{
    // A smaller second monitor right of the primary: below its bottom is no monitor at all.
    const MonitorArea right{{1920, 0, 3200, 720}, {1920, 0, 3200, 720}};
    std::vector<MonitorArea> layout{primary, right};
    EXPECT_EQ(monitorAt(layout, {2500, 900}), 1);
    expectPoint(cornerFor(layout, {2500, 900}), 3199, 719);
    EXPECT_EQ(monitorAt(layout, {-50, 300}), 0);
    // A work area a taskbar fills leaves a point on the monitor, never one before its start.
    expectPoint(cornerFor({{{0, 0, 800, 600}, {0, 0, 0, 0}}}, {5, 5}), 0, 0);

    ScreenPoint corner{7, 7};
    EXPECT_FALSE(hotkeyMenuCorner({}, {0, 0}, corner));
    EXPECT_EQ(monitorAt({}, {0, 0}), -1);
}

TEST(DisplayScale, StoredLengthsMeanPixelsAt96Dpi)
{
    // 100 %, 125 %, 150 %, 200 %.
    EXPECT_EQ(scaledLength(32, 96), 32);
    EXPECT_EQ(scaledLength(32, 120), 40);
    EXPECT_EQ(scaledLength(32, 144), 48);
    EXPECT_EQ(scaledLength(16, 192), 32);
    // Odd lengths round to the nearest pixel, halves away from zero, negative heights (a font's
    // character height) alike.
    EXPECT_EQ(scaledLength(3, 144), 5);
    EXPECT_EQ(scaledLength(-3, 144), -5);
    EXPECT_EQ(scaledLength(-12, 120), -15);
    EXPECT_EQ(scaledLength(0, 144), 0);
    // No DPI known: as at 96.
    EXPECT_EQ(scaledLength(32, 0), 32);
    // No overflow with the largest stored values.
    EXPECT_EQ(scaledLength(0x7FFFFFFF, 192), 0x7FFFFFFF);

    // A font the dialog chose at 144 DPI is stored as at 96, and comes back the same.
    EXPECT_EQ(lengthAt96(-24, 144), -16);
    EXPECT_EQ(scaledLength(lengthAt96(-18, 144), 144), -18);
    EXPECT_EQ(lengthAt96(40, 120), 32);
    FontRecord chosen;
    chosen.lfHeight = -24;
    chosen.lfWidth = 0;
    chosen.lfWeight = 700;
    FontRecord stored = fontAt96(chosen, 144);
    EXPECT_EQ(stored.lfHeight, -16);
    EXPECT_EQ(stored.lfWidth, 0);
    EXPECT_EQ(stored.lfWeight, 700);
    EXPECT_EQ(fontAtDpi(stored, 120).lfHeight, -20);
    EXPECT_EQ(fontAtDpi(stored, 144).lfHeight, -24);
}

TEST(DisplayScale, LauncherMenuIsMeasuredInThePixelsOfItsMonitor)
{
    LauncherSettings settings;
    settings.IconSize = 32;
    settings.HeightSpace = 4;
    MenuLengths at96 = menuLengthsFor(settings, 96);
    EXPECT_EQ(at96.iconSize, 32);
    EXPECT_EQ(at96.heightSpace, 4);
    EXPECT_EQ(at96.nameMargin, 4);
    MenuLengths at144 = menuLengthsFor(settings, 144);
    EXPECT_EQ(at144.iconSize, 48);
    EXPECT_EQ(at144.heightSpace, 6);
    EXPECT_EQ(at144.nameMargin, 6);
    EXPECT_EQ(itemTextPlace(0, at144.iconSize, 18, at144.nameMargin).x, 6);
    // Items half as tall again: 32 + 4 at 100 %, 48 + 6 at 150 %, text 1.5 icons to the right.
    EXPECT_EQ(measuredItemSize(2, at144.iconSize, at144.heightSpace, 100, 18, 0, 0).height, 54);
    EXPECT_EQ(itemTextPlace(2, at144.iconSize, 18).x, 72);

    // The same screen at 150 % has half as many pixels again, and holds the same rows: 768 / 36
    // and 1152 / 54 both give 21.
    EXPECT_EQ(rowsPerColumnFor(768, 100, at96.heightSpace, rowHeight(2, at96.iconSize, 12)), 21);
    EXPECT_EQ(rowsPerColumnFor(1152, 100, at144.heightSpace, rowHeight(2, at144.iconSize, 18)),
              21);

    // The largest icons stop where an image list's cells do, so image and item still agree.
    settings.IconSize = 256;
    EXPECT_EQ(menuLengthsFor(settings, 144).iconSize, 256);
    EXPECT_EQ(menuLengthsFor(settings, 96).iconSize, 256);
}

TEST(DisplayScale, IconsAreDrawnFromTheSmallestShellImageLargeEnough)
{
    // The shell's small, large, extra large and jumbo images at 96 DPI.
    const std::vector<std::int32_t> shell{16, 32, 48, 256};
    EXPECT_EQ(shellImageFor(scaledLength(32, 144), shell), 2);
    EXPECT_EQ(shellImageFor(scaledLength(32, 96), shell), 1);
    EXPECT_EQ(shellImageFor(scaledLength(16, 96), shell), 0);
    EXPECT_EQ(shellImageFor(scaledLength(16, 144), shell), 1);
    EXPECT_EQ(shellImageFor(scaledLength(32, 120), shell), 2);
    EXPECT_EQ(shellImageFor(scaledLength(256, 144), shell), 3);
    // At a system DPI of 144 the small and large lists hold 24 and 48 pixels; order is no matter.
    EXPECT_EQ(shellImageFor(24, {48, 24, 48, 256}), 1);
    EXPECT_EQ(shellImageFor(48, {48, 24, 48, 256}), 0);
    EXPECT_EQ(shellImageFor(48, {}), -1);
}

}  // namespace
