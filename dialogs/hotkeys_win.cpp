#include "dialogs/hotkeys_win.h"

#include "dialogs/hotkey_word.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "settings/settings_chain.h"

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

HotkeyRegistrations::~HotkeyRegistrations()
{
    while (!keys_.empty())
        withdraw(keys_.begin()->first);
}

bool HotkeyRegistrations::registerKey(int id, HotkeyWord key)
{
    if (key == 0) {
        withdraw(id);
        return true;
    }
    keys_.erase(id);
    if (!window_ || !registerHotkey(window_, key, id))
        return false;
    keys_[id] = key;
    return true;
}

void HotkeyRegistrations::withdraw(int id)
{
    keys_.erase(id);
    if (window_)
        unregisterHotkey(window_, id);
}

void HotkeyRegistrations::registerFolderKeys(const SettingsChain& chain,
                                             const std::vector<std::string>& folders)
{
    chain.forEachFolderSet([&](const LauncherSettings& set) {
        for (std::size_t i = 0; i < folders.size(); ++i) {
            if (folders[i] != set.Folder)
                continue;
            if (set.HoyKey != 0 && !registerKey(static_cast<int>(i), set.HoyKey))
                reportHotkeyFailure(window_, set.Folder);
            break;
        }
    });
}

void HotkeyRegistrations::withdrawFolderKeys()
{
    for (auto it = keys_.begin(); it != keys_.end();) {
        int id = (it++)->first;
        if (id != mainHotkeyId)
            withdraw(id);
    }
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
