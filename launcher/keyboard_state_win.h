// Whether a key or mouse button is held down right now, as the user's hand is on it while a
// command is handled (not as the message queue last saw it).
#pragma once

#include <windows.h>

inline bool heldNow(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
