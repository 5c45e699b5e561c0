// Another process that holds a hot key, so that a registration of ours is refused as it would
// be when some other program uses the key.
#pragma once

#include <windows.h>

class HotkeyHolder {
public:
    // modifiers and key as RegisterHotKey takes them. Waits until the key is taken.
    HotkeyHolder(UINT modifiers, UINT virtualKey);
    ~HotkeyHolder();
    HotkeyHolder(const HotkeyHolder&) = delete;
    HotkeyHolder& operator=(const HotkeyHolder&) = delete;

    bool holding() const { return holding_; }

private:
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
};

// Whether some window or thread has the key registered: a registration of our own fails.
bool hotkeyTaken(UINT modifiers, UINT virtualKey);
