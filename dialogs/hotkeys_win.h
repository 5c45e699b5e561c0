// The one place where hot keys are registered and unregistered, and how a refusal is told.
#pragma once

#include "settings/launcher_settings.h"

#include <windows.h>

#include <cstddef>
#include <string>

// Registering under an id the window already uses replaces that id's earlier key.
bool registerHotkey(HWND window, HotkeyWord word, int id);
void unregisterHotkey(HWND window, int id);

// A refused registration told in two boxes with a caption of the caller's: "ホットキーの設定に失敗"
// without icon, then the system's text with the exclamation icon. The error text is read first.
void reportHotkeyFailure(HWND owner, const std::string& caption);

// The same in the program's message box (both boxes with the exclamation icon); errorBufferSize
// is the size of the buffer the system text is fetched into.
void reportHotkeyFailureInAppBox(std::size_t errorBufferSize = 767);

extern const char hotkeyFailedMessage[];
