// Conversion of a hot key as the hot key control reports it into the form RegisterHotKey
// takes.
#pragma once

#include "settings/launcher_settings.h"

#include <cstdint>

// Modifier flags in the high byte of a HotkeyWord.
constexpr std::uint8_t hotkeyShift = 0x01;
constexpr std::uint8_t hotkeyControl = 0x02;
constexpr std::uint8_t hotkeyAlt = 0x04;
constexpr std::uint8_t hotkeyExtended = 0x08;

// Modifier flags of RegisterHotKey.
constexpr unsigned registerAlt = 0x0001;
constexpr unsigned registerControl = 0x0002;
constexpr unsigned registerShift = 0x0004;

struct HotkeyRegistration {
    unsigned modifiers = 0;
    unsigned virtualKey = 0;
};

// Alt, Ctrl and Shift are converted one by one; the extended-key flag is dropped.
HotkeyRegistration toRegistration(HotkeyWord word);
