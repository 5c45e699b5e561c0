// The launcher menu's keyboard: a typed letter moves the highlight to the next entry that
// begins with it, letters typed in quick succession to the next entry that begins with all of
// them; the space bar collects the highlighted entry for the multiple-execution list.
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

// Characters typed within this time of each other form one prefix.
constexpr std::uint32_t typedPrefixPauseMs = 1000;

// The characters typed so far in one burst of typing.
class TypedPrefix {
public:
    struct Search {
        std::u32string prefix;
        // A new prefix, or the same single letter again, moves on from the highlighted entry;
        // a longer prefix may stay on it.
        bool fromNext = true;
    };
    // The character typed at that time (milliseconds of a clock that wraps as the system's
    // tick count does): the prefix to look for.
    Search add(char32_t typed, std::uint32_t nowMs);
    void clear() { prefix_.clear(); }

private:
    std::u32string prefix_;
    std::uint32_t lastMs_ = 0;
};

// The next entry, from the highlighted one on (or after it) and wrapping, whose text begins with
// the prefix, letters a to z compared without case; no entry with it leaves the highlight where
// it is and the key ignored. selection -1: the tray command popup is open, nothing moves.
TypeAheadAnswer typeAheadPrefix(int selection, const std::vector<std::u32string>& texts,
                                const TypedPrefix::Search& search);
