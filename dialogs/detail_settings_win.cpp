#include "dialogs/detail_settings_win.h"

#include "dialogs/hotkeys_win.h"
#include "framework/controls_win.h"
#include "framework/data_exchange_win.h"
#include "framework/dpi_win.h"
#include "framework/message_box_win.h"
#include "resources/resource.h"
#include "settings/display_scale.h"
#include "settings/system_look_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>

namespace {

const char detailCaption[] = "詳細設定";

// The colour dialog's custom colours live as long as the process.
COLORREF customColors[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

}  // namespace

DetailSettingsDialog::DetailSettingsDialog() : Dialog(IDD_DETAIL_SETTINGS)
{
    // The template holds a track bar, up-down controls and a hot key control.
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
}

Dialog::MessageMap DetailSettingsDialog::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDC_MODE_NAME, &DetailSettingsDialog::onDisplayModeChosen),
        command(IDC_MODE_ICON, &DetailSettingsDialog::onDisplayModeChosen),
        command(IDC_MODE_BOTH, &DetailSettingsDialog::onDisplayModeChosen),
        command(IDC_ICON_LARGE, &DetailSettingsDialog::onLargeIcons),
        command(IDC_ICON_SMALL, &DetailSettingsDialog::onSmallIcons),
        command(IDC_STRINGS_RESET, &DetailSettingsDialog::resetWidth),
        command(IDC_DETAIL_HOTKEY_DELETE, &DetailSettingsDialog::clearHotkey),
        command(IDC_FONT_CHOOSE, &DetailSettingsDialog::chooseFont),
        command(IDC_FONT_RESET, &DetailSettingsDialog::resetFont),
        command(IDC_BACKGROUND, &DetailSettingsDialog::chooseBackground),
        message(WM_HSCROLL, &DetailSettingsDialog::followRatioTrack),
        message(WM_CTLCOLORSTATIC, &DetailSettingsDialog::colourFontSample),
    };
    return mapOf(entries);
}

void DetailSettingsDialog::exchangeData(DataExchange& exchange)
{
    exchange.check(IDC_PRINT_LNK, values.PrintLnk);
    exchange.check(IDC_PRINT_ENT, values.PrintEnt);
    exchange.radio(IDC_MODE_NAME, IDC_MODE_BOTH, values.displayMode);
    exchange.check(IDC_PRINT_MYSELF, values.PrintMyself);
    exchange.check(IDC_FOLDER_MENU, values.FolderMenu);
    exchange.unsignedNumber(IDC_STRINGS_NUMBER, values.StringsNumber);
    exchange.range(IDC_STRINGS_NUMBER, values.StringsNumber, 0, maxDisplayWidth);
    exchange.signedNumber(IDC_HEIGHT_SPACE, values.HeightSpace);
    exchange.range(IDC_HEIGHT_SPACE, values.HeightSpace, 0, maxHeightSpace);
}

BOOL DetailSettingsDialog::onInitDialog()
{
    Dialog::onInitDialog();
    // A stored value out of range is reported as the dialog opens; it still opens.
    updateData(true);
    updateEnabledStates();

    CheckDlgButton(hwnd(), values.IconSize == 32 ? IDC_ICON_LARGE : IDC_ICON_SMALL, BST_CHECKED);

    HWND track = item(IDC_RATIO_TRACK);
    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(1, 100));
    SendMessageA(track, TBM_SETPAGESIZE, 0, 10);
    SendMessageA(track, TBM_SETLINESIZE, 0, 1);
    SendMessageA(track, TBM_SETPOS, TRUE, values.DesktopRatio);
    SendMessageA(track, TBM_SETTICFREQ, 10, 0);
    showRatio();

    SendMessageA(item(IDC_STRINGS_NUMBER_SPIN), UDM_SETRANGE32, minDisplayWidth,
                 maxDisplayWidth);
    setMarginLimit(values.IconSize);

    SetWindowTextA(hwnd(), detailTitle(isFolderSpecific, folderName).c_str());

    if (!isFolderSpecific) {
        // The standard set is never registered: no hot key to choose. The icon takes the
        // freed place.
        ShowWindow(item(IDC_DETAIL_HOTKEY), SW_HIDE);
        ShowWindow(item(IDC_DETAIL_HOTKEY_DELETE), SW_HIDE);
        // Centred in the group's frame below its caption, in dialog units, so that it stays
        // there at every scale and font: the icon's own size is in pixels.
        RECT freed{146, 144, 199, 178};
        MapDialogRect(hwnd(), &freed);
        RECT icon{};
        GetWindowRect(item(IDC_DETAIL_ICON), &icon);
        int width = icon.right - icon.left, height = icon.bottom - icon.top;
        SetWindowPos(item(IDC_DETAIL_ICON), nullptr,
                     freed.left + (freed.right - freed.left - width) / 2,
                     freed.top + (freed.bottom - freed.top - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    setUpHotkeyField(item(IDC_DETAIL_HOTKEY), values.HoyKey);

    replaceSampleFont();

    if (heldNow(VK_SHIFT) && heldNow(VK_CONTROL) && (GetAsyncKeyState(VK_LBUTTON) & 0x8001) != 0)
        ShowWindow(item(IDC_BACKGROUND), SW_SHOW);
    return TRUE;
}

void DetailSettingsDialog::updateEnabledStates()
{
    DetailEnabledStates states = enabledStatesFor(values.displayMode);
    EnableWindow(item(IDC_PRINT_ENT), states.extensions);
    EnableWindow(item(IDC_PRINT_LNK), states.extensions);
    EnableWindow(item(IDC_STRINGS_NUMBER), states.width);
    EnableWindow(item(IDC_FONT_CHOOSE), states.fontButtons);
    EnableWindow(item(IDC_FONT_RESET), states.fontButtons);
    EnableWindow(item(IDC_ICON_LARGE), states.iconSize);
    EnableWindow(item(IDC_ICON_SMALL), states.iconSize);
}

void DetailSettingsDialog::showRatio()
{
    char text[32];
    std::snprintf(text, sizeof(text), "%d%%", static_cast<int>(values.DesktopRatio));
    setItemText(IDC_RATIO_LABEL, text);
}

void DetailSettingsDialog::setMarginLimit(int upper)
{
    SendMessageA(item(IDC_HEIGHT_SPACE_SPIN), UDM_SETRANGE32, 0, upper);
}

void DetailSettingsDialog::onDisplayModeChosen()
{
    // The radio group is read before the numbers, so the states follow the new mode even when a
    // number box holds bad text.
    updateData(true);
    updateEnabledStates();
}

void DetailSettingsDialog::onLargeIcons()
{
    values.IconSize = 32;
    setMarginLimit(32);
}

void DetailSettingsDialog::onSmallIcons()
{
    values.IconSize = 16;
    setMarginLimit(16);
}

void DetailSettingsDialog::resetWidth()
{
    values.StringsNumber = maxDisplayWidth;
    updateData(false);
}

void DetailSettingsDialog::clearHotkey()
{
    setHotkeyFieldValue(item(IDC_DETAIL_HOTKEY), 0);
}

MessageResult DetailSettingsDialog::followRatioTrack(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == item(IDC_RATIO_TRACK)) {
        values.DesktopRatio =
            static_cast<std::int32_t>(SendMessageA(item(IDC_RATIO_TRACK), TBM_GETPOS, 0, 0));
        showRatio();
    }
    return MessageResult::unhandled();
}

MessageResult DetailSettingsDialog::colourFontSample(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != item(IDC_FONT_SAMPLE))
        return MessageResult::unhandled();
    HDC dc = reinterpret_cast<HDC>(wParam);
    // The brush the dialog would give any static control; only the text colours differ.
    LRESULT brush = DefWindowProcA(hwnd(), WM_CTLCOLORSTATIC, wParam, lParam);
    // The sample shows what the menu will: the system's colours of now for a set that follows
    // them, dark ones in dark mode.
    MenuPalette palette = paletteOf(values.SystemColors != 0, values.FontRGB,
                                    values.BackgroundColor, currentSystemTheme());
    SetTextColor(dc, palette.menuText);
    SetBkColor(dc, palette.menu);
    return MessageResult::of(brush);
}

bool DetailSettingsDialog::replaceSampleFont()
{
    LOGFONTA font =
        toLogFont(fontAtDpi(values.Font, static_cast<std::int32_t>(windowDpi(hwnd()))));
    FontHandle created(CreateFontIndirectA(&font));
    if (!created)
        return false;
    // The control lets go of the old font before it is deleted; when no new one could be made
    // it keeps the old one, which stays alive.
    SendMessageA(item(IDC_FONT_SAMPLE), WM_SETFONT, reinterpret_cast<WPARAM>(created.get()),
                 TRUE);
    sampleFont = std::move(created);
    return true;
}

void DetailSettingsDialog::chooseFont()
{
    // The chooser may write into the record even when cancelled: it gets a copy.
    // The dialog reckons points at the system's DPI; the record keeps pixels at 96.
    std::int32_t dpi = static_cast<std::int32_t>(systemDpi());
    LOGFONTA font = toLogFont(fontAtDpi(values.Font, dpi));
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = hwnd();
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCRIPTSONLY;
    choice.rgbColors = values.FontRGB;
    choice.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontA(&choice))
        return;
    values.Font = fontAt96(fromLogFont(font), dpi);
    if (choice.rgbColors != values.FontRGB)
        values.SystemColors = 0;
    values.FontRGB = choice.rgbColors;
    if (!replaceSampleFont())
        appMessageBox("フォントの設定に失敗", MB_OK | MB_ICONEXCLAMATION);
}

void DetailSettingsDialog::resetFont()
{
    values.Font = currentSystemLook().menuFont;
    if (!replaceSampleFont())
        return;
    values.FontRGB = GetSysColor(COLOR_MENUTEXT);
    values.BackgroundColor = GetSysColor(COLOR_MENU);
    values.SystemColors = 1;
}

void DetailSettingsDialog::chooseBackground()
{
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = hwnd();
    choice.rgbResult = values.BackgroundColor;
    choice.lpCustColors = customColors;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&choice))
        return;
    values.BackgroundColor = choice.rgbResult;
    values.SystemColors = 0;
    RedrawWindow(item(IDC_FONT_SAMPLE), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DetailSettingsDialog::onOK()
{
    if (!updateData(true))
        return;
    std::string correction = correctWidth(values.StringsNumber);
    if (!correction.empty())
        showMessageBox(hwnd(), correction, detailCaption, MB_OK | MB_ICONINFORMATION);

    if (isFolderSpecific) {
        HotkeyWord chosen = hotkeyFieldValue(item(IDC_DETAIL_HOTKEY));
        switch (folderHotkeyChange(chosen, values.HoyKey)) {
        case FolderHotkeyChange::withdraw:
            if (hotkeys)
                hotkeys->withdraw(hotkeyId);
            break;
        case FolderHotkeyChange::registerChosen:
            if (!hotkeys || !hotkeys->registerKey(hotkeyId, chosen))
                reportHotkeyFailure(hwnd(), "RegistHotkey");
            break;
        case FolderHotkeyChange::keep:
            // An unchanged key that is not registered now (refused at start-up, or withdrawn
            // meanwhile) is registered again: OK is the user's way to get it working.
            if (chosen != 0 && hotkeys && !hotkeys->isRegistered(hotkeyId) &&
                !hotkeys->registerKey(hotkeyId, chosen))
                reportHotkeyFailure(hwnd(), "RegistHotkey");
            break;
        }
        values.HoyKey = chosen;
    }
    endDialog(IDOK);
}
