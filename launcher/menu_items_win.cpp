// The launcher menu's owner-drawn items: measured and painted in the font, colours and display
// mode of the set in force.
#include "app/main_window_win.h"

#include "framework/message_box_win.h"
#include "launcher/item_geometry.h"

namespace {

SIZE textExtent(HDC dc, HFONT font, const std::string& text)
{
    SelectedObject selected(dc, font);
    SIZE extent{};
    GetTextExtentPointA(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// The entry an owner-drawn item stands for, or -1 for an item that is not one of ours.
int entryOfItem(UINT type, ULONG_PTR data, std::size_t count)
{
    if (type != ODT_MENU || data < launcherFirstId || data > launcherLastId)
        return -1;
    std::size_t index = static_cast<std::size_t>(data - launcherFirstId);
    return index < count ? static_cast<int>(index) : -1;
}

}  // namespace

MessageResult MainWindow::onMeasureItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || entryOfItem(item->CtlType, item->itemData, itemTexts.size()) < 0)
        return MessageResult::unhandled();
    measureItem(*item);
    return MessageResult::of(TRUE);
}

MessageResult MainWindow::onDrawItem(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || entryOfItem(item->CtlType, item->itemData, itemTexts.size()) < 0)
        return MessageResult::unhandled();
    drawItem(*item);
    return MessageResult::of(TRUE);
}

void MainWindow::measureItem(MEASUREITEMSTRUCT& item)
{
    const LauncherSettings& settings = *activeSettings;
    std::size_t index = item.itemData - launcherFirstId;
    SIZE extent{};
    if (settings.IconPrint != displayIconOnly) {
        WindowDC dc(hwnd());
        extent = textExtent(dc.get(), menuFont.get(),
                            shownItemText(itemTexts[index], settings.StringsNumber));
    }
    ItemSize size = measuredItemSize(settings.IconPrint, settings.IconSize, settings.HeightSpace,
                                     extent.cx, extent.cy, static_cast<std::int32_t>(item.itemWidth),
                                     static_cast<std::int32_t>(item.itemHeight));
    if (!size.valid)
        appMessageBox("Invalid Icon Print.");
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
}

void MainWindow::drawItem(const DRAWITEMSTRUCT& item)
{
    const LauncherSettings& settings = *activeSettings;
    std::size_t index = item.itemData - launcherFirstId;
    HDC dc = item.hDC;

    COLORREF background = settings.BackgroundColor;
    COLORREF text = settings.FontRGB;
    UINT iconStyle = ILD_TRANSPARENT;
    if (item.itemState == ODS_SELECTED || item.itemState == ODS_FOCUS) {
        background = GetSysColor(COLOR_HIGHLIGHT);
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        iconStyle = item.itemState == ODS_SELECTED ? ILD_SELECTED : ILD_FOCUS;
    }

    std::string shown = shownItemText(itemTexts[index], settings.StringsNumber);
    SelectedObject font(dc, menuFont.get());
    SIZE extent{};
    GetTextExtentPointA(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);

    BrushHandle brush(CreateSolidBrush(background));
    FillRect(dc, &item.rcItem, brush.get());
    SetTextColor(dc, text);
    SetBkColor(dc, background);

    int x0 = item.rcItem.left;
    int y = item.rcItem.top;
    if (settings.IconPrint != displayNameOnly)
        ImageList_Draw(launcherImageList.get(), static_cast<int>(index), dc, x0, y, iconStyle);
    TextPlace place = itemTextPlace(settings.IconPrint, settings.IconSize, extent.cy);
    if (place.drawn)
        TextOutA(dc, x0 + place.x, y + place.y, shown.c_str(), static_cast<int>(shown.size()));
}
