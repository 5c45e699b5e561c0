#include "dialogs/hotkey_word.h"

HotkeyRegistration toRegistration(HotkeyWord word)
{
    HotkeyRegistration registration;
    std::uint8_t flags = static_cast<std::uint8_t>(word >> 8);
    if (flags & hotkeyAlt)
        registration.modifiers |= registerAlt;
    if (flags & hotkeyControl)
        registration.modifiers |= registerControl;
    if (flags & hotkeyShift)
        registration.modifiers |= registerShift;
    registration.virtualKey = word & 0xFF;
    return registration;
}
