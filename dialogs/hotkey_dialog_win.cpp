#include "dialogs/hotkey_dialog_win.h"

#include "dialogs/hotkeys_win.h"
#include "framework/controls_win.h"
#include "resources/resource.h"

HotkeyDialog::HotkeyDialog(HotkeyRegistrations& hotkeys) : Dialog(IDD_HOTKEY), hotkeys_(hotkeys)
{
}

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
    setUpHotkeyField(item(IDC_HOTKEY), value);
    return TRUE;
}

void HotkeyDialog::clearHotkey()
{
    // Acts at once: even a later CANCEL leaves the launcher hot key withdrawn for this run.
    value = 0;
    hotkeys_.withdraw(mainHotkeyId);
    setHotkeyFieldValue(item(IDC_HOTKEY), 0);
}

void HotkeyDialog::onOK()
{
    value = hotkeyFieldValue(item(IDC_HOTKEY));
    endDialog(IDOK);
}
