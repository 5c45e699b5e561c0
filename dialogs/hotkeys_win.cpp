#include "dialogs/hotkeys_win.h"

#include "dialogs/hotkey_word.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"

const char hotkeyFailedMessage[] = "ホットキーの設定に失敗";

bool registerHotkey(HWND window, HotkeyWord word, int id)
{
    HotkeyRegistration registration = toRegistration(word);
    // A second RegisterHotKey under the same window and id keeps the old key registered as
    // well, so a changed key would leave the previous one working. Withdrawing it first makes a
    // registration replace the id's key, as every caller expects.
    UnregisterHotKey(window, id);
    return RegisterHotKey(window, id, registration.modifiers, registration.virtualKey) != FALSE;
}

void unregisterHotkey(HWND window, int id)
{
    UnregisterHotKey(window, id);
}

void reportHotkeyFailure(HWND owner, const std::string& caption)
{
    std::string error = lastErrorText();
    showMessageBox(owner, hotkeyFailedMessage, caption, MB_OK);
    showMessageBox(owner, error, caption, MB_OK | MB_ICONEXCLAMATION);
}

void reportHotkeyFailureInAppBox(std::size_t errorBufferSize)
{
    std::string error = lastErrorText(errorBufferSize);
    appMessageBox(hotkeyFailedMessage, MB_OK | MB_ICONEXCLAMATION);
    appMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
}
