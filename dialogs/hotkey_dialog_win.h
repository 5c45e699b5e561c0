// "HOTKEYの設定": the dialog in which the user chooses the launcher hot key.
#pragma once

#include "framework/dialog_win.h"
#include "settings/launcher_settings.h"

class HotkeyRegistrations;

class HotkeyDialog final : public Dialog {
public:
    explicit HotkeyDialog(HotkeyRegistrations& hotkeys);

    // Set by the opener, read back after OK.
    HotkeyWord value = 0;

protected:
    MessageMap messageMap() const override;
    BOOL onInitDialog() override;
    void onOK() override;

private:
    void clearHotkey();

    HotkeyRegistrations& hotkeys_;
};
