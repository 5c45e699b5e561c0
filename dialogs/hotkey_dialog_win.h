// "HOTKEYの設定": the dialog in which the user chooses the launcher hot key.
#pragma once

#include "framework/dialog_win.h"
#include "settings/launcher_settings.h"

class HotkeyDialog final : public Dialog {
public:
    HotkeyDialog();

    // Set by the opener, read back after OK.
    HotkeyWord value = 0;

protected:
    MessageMap messageMap() const override;
    BOOL onInitDialog() override;
    void onOK() override;

private:
    void clearHotkey();
};

// Gives the hot key control its rules: a key typed without a modifier gets Alt.
void setHotkeyRules(HWND control);
