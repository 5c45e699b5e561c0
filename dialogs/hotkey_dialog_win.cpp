#include "dialogs/hotkey_dialog_win.h"

#include "app/main_window_win.h"
#include "dialogs/hotkeys_win.h"
#include "resources/resource.h"

#include <commctrl.h>

void setHotkeyRules(HWND control)
{
    SendMessageA(control, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_ALT, 0));
}

HotkeyDialog::HotkeyDialog() : Dialog(IDD_HOTKEY) {}

Dialog::MessageMap HotkeyDialog::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDC_HOTKEY_DELETE, &HotkeyDialog::clearHotkey),
    };
    return mapOf(entries);
}

BOOL HotkeyDialog::onInitDialog()
{
    Dialog::onInitDialog();
    setHotkeyRules(item(IDC_HOTKEY));
    SendMessageA(item(IDC_HOTKEY), HKM_SETHOTKEY, value, 0);
    return TRUE;
}

void HotkeyDialog::clearHotkey()
{
    // Acts at once: even a later CANCEL leaves the launcher hot key withdrawn for this run.
    value = 0;
    unregisterHotkey(GetWindow(hwnd(), GW_OWNER), mainHotkeyId);
    SendMessageA(item(IDC_HOTKEY), HKM_SETHOTKEY, 0, 0);
}

void HotkeyDialog::onOK()
{
    value = static_cast<HotkeyWord>(SendMessageA(item(IDC_HOTKEY), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    endDialog(IDOK);
}
