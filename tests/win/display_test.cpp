// What the launcher asks of the display: the monitors and their work areas, the DPI, and shell
// icons at any edge, against Wine's window manager and shell.
#include "framework/dpi_win.h"
#include "framework/handles_win.h"
#include "launcher/menu_placement_win.h"
#include "launcher/shell_icon_win.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <tuple>

namespace {

TEST(Display, HotkeyMenuGoesToTheWorkAreaCornerOfThePointersMonitor)
{
    std::vector<MonitorArea> monitors = monitorAreas();
    ASSERT_FALSE(monitors.empty());
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    ASSERT_TRUE(SetCursorPos(work.left + 10, work.top + 10));

    PopupPlace place = hotkeyMenuPlace();
    EXPECT_EQ(place.point.x, work.right - 1);
    EXPECT_EQ(place.point.y, work.bottom - 1);
    EXPECT_EQ(place.alignment, static_cast<UINT>(TPM_RIGHTALIGN | TPM_BOTTOMALIGN));
    // One DPI for every way of asking, on a single monitor.
    HDC screen = GetDC(nullptr);
    UINT logPixels = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(systemDpi(), logPixels);
    EXPECT_EQ(dpiAtPoint(place.point), logPixels);
}

TEST(Display, ShellPicturesComeFromAListOfImagesAtLeastAsLargeAsAsked)
{
    // The shell's lists hold 16, 32, 48 and 256 pixels at 96 DPI.
    for (auto [asked, drawnFrom, whole] :
         {std::tuple{16, 16, SHGFI_SMALLICON}, {24, 32, SHGFI_LARGEICON},
          {32, 32, SHGFI_LARGEICON}, {40, 48, SHGFI_LARGEICON}, {48, 48, SHGFI_LARGEICON},
          {300, 256, SHGFI_LARGEICON}}) {
        ShellImageSource source = shellImageSourceFor(asked);
        int cx = 0;
        int cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(source.list, &cx, &cy)) << asked;
        EXPECT_EQ(cx, drawnFrom) << asked;
        EXPECT_EQ(source.sizeFlag, static_cast<UINT>(whole)) << asked;
    }
    // A picture of the list is one the shell knows by its index: a folder's.
    TempFolder folder("qdisplay");
    SHFILEINFOA info{};
    ASSERT_NE(SHGetFileInfoA(folder.path().c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX),
              0u);
    IconHandle icon(ImageList_GetIcon(shellImageSourceFor(48).list, info.iIcon, ILD_NORMAL));
    ICONINFO parts{};
    ASSERT_TRUE(icon && GetIconInfo(icon.get(), &parts));
    BITMAP bitmap{};
    GetObjectA(parts.hbmColor ? parts.hbmColor : parts.hbmMask, sizeof(bitmap), &bitmap);
    if (parts.hbmColor)
        DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, 48);
}

// File types as an installer registers them (Wine 8 does not show HKCU\Software\Classes in
// HKEY_CLASSES_ROOT, so they go to the merged view itself).
TEST(Display, TypesWhoseRegistryNamesEachFilesOwnIconAreAskedByPath)
{
    struct Type {
        const char *extension, *progId, *key, *value;
    };
    const Type types[] = {{".qtown", "Quintarel.Own", "\\DefaultIcon", "\"%1\""},
                          {".qthandled", "Quintarel.Handled", "\\shellex\\IconHandler", "{0}"},
                          {".qtfixed", "Quintarel.Fixed", "\\DefaultIcon", "shell32.dll,3"}};
    for (const Type& type : types) {
        RegSetValueA(HKEY_CLASSES_ROOT, type.extension, REG_SZ, type.progId, 0);
        RegSetValueA(HKEY_CLASSES_ROOT, (std::string(type.progId) + type.key).c_str(), REG_SZ,
                     type.value, 0);
    }
    EXPECT_TRUE(typeDrawsEachFile("qtown"));
    EXPECT_TRUE(typeDrawsEachFile("qthandled"));
    EXPECT_FALSE(typeDrawsEachFile("qtfixed"));
    EXPECT_FALSE(typeDrawsEachFile("qtunknown"));
    for (const Type& type : types) {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, type.extension);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, type.progId);
    }
}

}  // namespace
