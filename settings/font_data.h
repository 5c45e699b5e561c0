// The text form of a font as stored in the profile value FontData: the 60 bytes of the record
// in memory order, two lower-case hexadecimal digits each.
#pragma once

#include "settings/launcher_settings.h"

#include <string>

// The empty text when the face name is empty, else exactly 120 digits.
std::string encodeFontData(const FontRecord& font);

// The empty text gives the system menu font. Any other text is read two characters per byte;
// missing characters give 0 and characters after the 120th are ignored. The face name always
// ends within its 32 bytes.
FontRecord decodeFontData(const std::string& text, const FontRecord& systemMenuFont);
