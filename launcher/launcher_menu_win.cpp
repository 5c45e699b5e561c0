// Building the launcher menu from the current folder: one owner-drawn item per entry, with its
// display text, path and shell icon kept side by side, in columns that fit the screen.
#include "app/main_window_win.h"

#include "common/path_text.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "framework/system_error_win.h"
#include "launcher/menu_layout.h"
#include "launcher/tray_icon_win.h"
#include "settings/profile_names.h"

#include <shellapi.h>

#include <cstring>

namespace names = profile_names;

namespace {

// Appends items to a menu under construction, keeping the menu, the two text arrays and the
// image list aligned: element i of each belongs to command id 0xA000 + i.
class LauncherMenuBuilder {
public:
    LauncherMenuBuilder(HMENU menu, HIMAGELIST images, std::vector<std::string>& texts,
                        std::vector<std::string>& paths, int rowsPerColumn, UINT iconSizeFlag)
        : menu_(menu), images_(images), texts_(texts), paths_(paths),
          rowsPerColumn_(rowsPerColumn), iconSizeFlag_(iconSizeFlag)
    {
    }

    void append(std::string text, std::string path)
    {
        std::size_t index = texts_.size();
        UINT id = launcherFirstId + static_cast<UINT>(index);
        UINT flags = MF_OWNERDRAW | (startsColumn(index, rowsPerColumn_) ? MF_MENUBARBREAK : 0);
        AppendMenuA(menu_, flags, id, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id)));
        appendIcon(path, static_cast<int>(index));
        texts_.push_back(std::move(text));
        paths_.push_back(std::move(path));
    }

private:
    void appendIcon(const std::string& path, int index)
    {
        // A path the shell's own buffers cannot hold is not handed to it.
        SHFILEINFOA info{};
        if (path.size() <= maxPathChars &&
            SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | iconSizeFlag_) &&
            info.hIcon) {
            IconHandle icon(info.hIcon);
            if (ImageList_ReplaceIcon(images_, -1, icon.get()) == index)
                return;
        }
        // Image i must stay the image of item i: an entry the shell gives no icon for shows the
        // system's application icon, or an empty cell when even that cannot be added.
        if (ImageList_GetImageCount(images_) == index &&
            ImageList_ReplaceIcon(images_, -1, LoadIconA(nullptr, IDI_APPLICATION)) == index)
            return;
        ImageList_SetImageCount(images_, static_cast<UINT>(index + 1));
    }

    HMENU menu_;
    HIMAGELIST images_;
    std::vector<std::string>& texts_;
    std::vector<std::string>& paths_;
    int rowsPerColumn_;
    UINT iconSizeFlag_;
};

// The height of a line of text in the font, measured on the window's device context.
LONG textHeightOf(HWND window, HFONT font, const char* sample)
{
    WindowDC dc(window);
    if (!dc)
        return 0;
    SelectedObject selected(dc.get(), font);
    if (sample) {
        SIZE extent{};
        GetTextExtentPointA(dc.get(), sample, static_cast<int>(std::strlen(sample)), &extent);
        return extent.cy;
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

}  // namespace

void MainWindow::buildLauncherMenu()
{
    currentFolder =
        app::profile().readString(names::nowFolderSection, names::appFolderValue, "");
    updateData(false);

    launcherMenu.reset();
    itemPaths.clear();
    itemTexts.clear();
    launcherMenu.reset(CreatePopupMenu());
    if (!launcherMenu) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
        return;
    }
    launcherImageList.reset();
    const LauncherSettings& settings = *activeSettings;
    int edge = imageEdgeFor(settings.IconSize);
    launcherImageList.reset(ImageList_Create(edge, edge, ILC_COLORDDB | ILC_MASK, 0, 99));
    if (!launcherImageList) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
        return;
    }
    ImageList_SetBkColor(launcherImageList.get(), CLR_NONE);

    trayIcon().setIcon(busyIcon.get());

    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((currentFolder + "\\*.*").c_str(), &found));

    std::int64_t textHeight = 0;
    if (settings.IconPrint != displayIconOnly)
        textHeight = textHeightOf(hwnd(), menuFont.get(), search ? found.cFileName : nullptr);

    RECT screen{};
    HWND desktop = GetDesktopWindow();
    if (!desktop || !GetWindowRect(desktop, &screen)) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONINFORMATION);
        GetWindowRect(hwnd(), &screen);
    }
    rowsPerColumn = rowsPerColumnFor(screen.bottom, settings.DesktopRatio, settings.HeightSpace,
                                     rowHeight(settings.IconPrint, settings.IconSize, textHeight));

    trayIcon().setTip(trayTipFor(currentFolder, TrayIcon::maxTipChars));

    UINT iconSizeFlag = settings.IconSize == 32 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    LauncherMenuBuilder builder(launcherMenu.get(), launcherImageList.get(), itemTexts, itemPaths,
                                rowsPerColumn, iconSizeFlag);
    if (search) {
        std::size_t capacity = entryCapacity(settings.PrintMyself);
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            // The launcher ids end where the folder items begin: the first entries that fit
            // are listed, the rest are not.
            if (itemTexts.size() >= capacity)
                break;
            builder.append(entryDisplayText(name, settings.PrintEnt, settings.PrintLnk),
                           currentFolder + "\\" + name);
        } while (FindNextFileA(search.get(), &found));
        search.reset();
    }

    if (settings.PrintMyself)
        builder.append(targetFolderText, currentFolder);

    trayIcon().setIcon(normalIcon.get());
}
