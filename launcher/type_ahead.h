// The launcher menu's keyboard: a typed letter moves the highlight to the next entry that
// begins with it; the space bar collects the highlighted entry for the multiple-execution list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The answers to a typed character, as the menu expects them in the high word.
constexpr std::uint32_t menuCharIgnore = 0;
constexpr std::uint32_t menuCharSelect = 3;

struct TypeAheadAnswer {
    // What the window procedure answers: 0 ignores the key, (3 << 16) | index highlights.
    std::uint32_t result = 0;
    // The highlighted entry afterwards.
    int selection = 0;
    // The entry the space bar collects, or -1.
    int collected = -1;
};

inline std::uint32_t highlightAnswer(int index)
{
    return (menuCharSelect << 16) | (static_cast<std::uint32_t>(index) & 0xFFFF);
}

// selection is the highlighted entry (-1 while the tray command popup is open); texts are the
// entries' display texts; shiftHeld keeps the highlight where it is after a space.
TypeAheadAnswer typeAhead(int selection, const std::vector<std::string>& texts,
                          unsigned char typed, bool shiftHeld);

// A typed character the code page cannot hold: only an entry with a real name (UTF-16, empty
// for the entries the code page holds) can begin with it.
TypeAheadAnswer typeAheadReal(int selection, const std::vector<std::u16string>& realTexts,
                              char32_t typed);
