// The font text of the profile may be any text. Decoding must never read past the text or leave
// a face name without its end, must give the same record whatever font stands in for an empty
// text, and a decoded record must come back unchanged through its stored form.
#include "settings/font_data.h"
#include "tests/fuzz/require.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameRecord(const FontRecord& a, const FontRecord& b)
{
    return std::memcmp(&a, &b, sizeof(FontRecord)) == 0;
}

FontRecord fallback(char letter)
{
    FontRecord font;
    font.lfHeight = -12;
    font.lfFaceName[0] = letter;
    return font;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The registry gives texts without zero bytes: the text ends at the first one.
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));

    FontRecord font = decodeFontData(text, fallback('A'));
    require(std::memchr(font.lfFaceName, '\0', sizeof(font.lfFaceName)) != nullptr);
    if (text.empty()) {
        require(sameRecord(font, fallback('A')));
        return 0;
    }
    require(sameRecord(font, decodeFontData(text, fallback('B'))));

    std::string stored = encodeFontData(font);
    if (font.lfFaceName[0] == '\0') {
        require(stored.empty());
        return 0;
    }
    require(stored.size() == 2 * sizeof(FontRecord));
    require(stored.find_first_not_of("0123456789abcdef") == std::string::npos);
    require(sameRecord(decodeFontData(stored, fallback('A')), font));
    // A text of exactly 120 lower-case digits is its own stored form.
    if (text.size() == stored.size() &&
        text.find_first_not_of("0123456789abcdef") == std::string::npos &&
        text.compare(56, 2, "00") != 0 && text.compare(118, 2, "00") == 0)
        require(stored == text);
    return 0;
}
