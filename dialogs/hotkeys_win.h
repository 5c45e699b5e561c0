// The one place where hot keys are registered and withdrawn, and how a refusal is told.
#pragma once

#include "settings/launcher_settings.h"

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class SettingsChain;

// Hot key id of a window's own hot key; folder hot keys use their folder's list index.
constexpr int mainHotkeyId = 0xBFFF;

// Registering under an id the window already uses replaces that id's earlier key.
bool registerHotkey(HWND window, HotkeyWord word, int id);
void unregisterHotkey(HWND window, int id);

// The hot keys one window holds, by id: what is registered now, not what the settings ask for
// (a key another program held at start-up is asked for, but not registered).
class HotkeyRegistrations {
public:
    HotkeyRegistrations() = default;
    ~HotkeyRegistrations();
    HotkeyRegistrations(const HotkeyRegistrations&) = delete;
    HotkeyRegistrations& operator=(const HotkeyRegistrations&) = delete;

    // The window WM_HOTKEY goes to; keys are registered for it from now on.
    void attach(HWND window) { window_ = window; }
    HWND window() const { return window_; }

    // Replaces the id's key; a refused key leaves the id without one. Key 0 withdraws.
    bool registerKey(int id, HotkeyWord key);
    void withdraw(int id);
    bool isRegistered(int id) const { return keys_.count(id) != 0; }

    // Folder keys are registered under their folder's index in the list, so a removal or a
    // reordering changes their ids: withdraw them all, change the list, register them again.
    // A refused folder key is told with the folder's path as caption.
    void registerFolderKeys(const SettingsChain& chain, const std::vector<std::string>& folders);
    void withdrawFolderKeys();

private:
    HWND window_ = nullptr;
    std::map<int, HotkeyWord> keys_;
};

// A refused registration told in two boxes with a caption of the caller's: "ホットキーの設定に失敗"
// without icon, then the system's text with the exclamation icon. The error text is read first.
void reportHotkeyFailure(HWND owner, const std::string& caption);

// The same in the program's message box (both boxes with the exclamation icon); errorBufferSize
// is the size of the buffer the system text is fetched into.
void reportHotkeyFailureInAppBox(std::size_t errorBufferSize = 767);

extern const char hotkeyFailedMessage[];
