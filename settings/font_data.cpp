#include "settings/font_data.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t recordBytes = sizeof(FontRecord);

void putInt32(std::uint8_t* out, std::int32_t value)
{
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t getInt32(const std::uint8_t* in)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// The record as the platform lays it out: five little-endian 32-bit fields, eight bytes, then
// the face name. Written field by field so every host gives the same text.
std::array<std::uint8_t, recordBytes> toBytes(const FontRecord& font)
{
    std::array<std::uint8_t, recordBytes> bytes{};
    putInt32(&bytes[0], font.lfHeight);
    putInt32(&bytes[4], font.lfWidth);
    putInt32(&bytes[8], font.lfEscapement);
    putInt32(&bytes[12], font.lfOrientation);
    putInt32(&bytes[16], font.lfWeight);
    bytes[20] = font.lfItalic;
    bytes[21] = font.lfUnderline;
    bytes[22] = font.lfStrikeOut;
    bytes[23] = font.lfCharSet;
    bytes[24] = font.lfOutPrecision;
    bytes[25] = font.lfClipPrecision;
    bytes[26] = font.lfQuality;
    bytes[27] = font.lfPitchAndFamily;
    std::memcpy(&bytes[28], font.lfFaceName, sizeof(font.lfFaceName));
    return bytes;
}

FontRecord fromBytes(const std::array<std::uint8_t, recordBytes>& bytes)
{
    FontRecord font;
    font.lfHeight = getInt32(&bytes[0]);
    font.lfWidth = getInt32(&bytes[4]);
    font.lfEscapement = getInt32(&bytes[8]);
    font.lfOrientation = getInt32(&bytes[12]);
    font.lfWeight = getInt32(&bytes[16]);
    font.lfItalic = bytes[20];
    font.lfUnderline = bytes[21];
    font.lfStrikeOut = bytes[22];
    font.lfCharSet = bytes[23];
    font.lfOutPrecision = bytes[24];
    font.lfClipPrecision = bytes[25];
    font.lfQuality = bytes[26];
    font.lfPitchAndFamily = bytes[27];
    std::memcpy(font.lfFaceName, &bytes[28], sizeof(font.lfFaceName));
    return font;
}

}  // namespace

std::string encodeFontData(const FontRecord& font)
{
    if (font.lfFaceName[0] == '\0')
        return {};
    std::array<std::uint8_t, recordBytes> bytes = toBytes(font);
    std::string text;
    text.reserve(recordBytes * 2);
    char digits[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof(digits), "%02x", byte);
        text += digits;
    }
    return text;
}

FontRecord decodeFontData(const std::string& text, const FontRecord& systemMenuFont)
{
    if (text.empty())
        return systemMenuFont;
    std::array<std::uint8_t, recordBytes> bytes{};
    for (std::size_t i = 0; i < recordBytes; ++i) {
        std::size_t position = 2 * i;
        if (position >= text.size())
            break;
        char pair[3] = {text[position], position + 1 < text.size() ? text[position + 1] : '\0',
                        '\0'};
        // strtol's own reading: blanks, a sign and a lone "0x" are taken as it takes them.
        bytes[i] = static_cast<std::uint8_t>(std::strtol(pair, nullptr, 16));
    }
    FontRecord font = fromBytes(bytes);
    // A stored face name may fill all 32 bytes; the platform reads it up to a zero.
    font.lfFaceName[sizeof(font.lfFaceName) - 1] = '\0';
    return font;
}
