#include "launcher/type_ahead.h"

namespace {

// The C locale's upper case: only a to z change, so a byte of a double-byte character never
// matches a letter it merely looks like.
unsigned char upperLatin(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

TypeAheadAnswer typeAhead(int selection, const std::vector<std::string>& texts,
                          unsigned char typed, bool shiftHeld)
{
    TypeAheadAnswer answer;
    answer.selection = selection;
    if (selection < 0)
        return answer;
    int count = static_cast<int>(texts.size());
    // A highlight outside the entries (an empty menu) has nothing to collect or search from.
    if (count == 0 || selection >= count)
        return answer;

    if (typed == ' ') {
        answer.collected = selection;
        if (shiftHeld)
            return answer;
        answer.selection = selection + 1 == count ? 0 : selection + 1;
        answer.result = selectEntry(answer.selection);
        return answer;
    }

    int candidate = selection;
    for (int step = 0; step < count; ++step) {
        candidate = candidate + 1 == count ? 0 : candidate + 1;
        const std::string& text = texts[static_cast<std::size_t>(candidate)];
        if (!text.empty() &&
            upperLatin(static_cast<unsigned char>(text[0])) == upperLatin(typed)) {
            answer.selection = candidate;
            answer.result = selectEntry(candidate);
            return answer;
        }
    }
    return answer;
}
