#include "launcher/type_ahead.h"

#include "launcher/wide_entry_text.h"

namespace {

// The C locale's upper case: only a to z change, so a byte of a double-byte character never
// matches a letter it merely looks like.
unsigned char upperLatin(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// The next entry after the selection, wrapping, whose text the test accepts.
template <typename Text, typename Matches>
TypeAheadAnswer nextMatch(int selection, const std::vector<Text>& texts, Matches matches)
{
    TypeAheadAnswer answer;
    answer.selection = selection;
    int count = static_cast<int>(texts.size());
    int candidate = selection;
    for (int step = 0; step < count; ++step) {
        candidate = candidate + 1 == count ? 0 : candidate + 1;
        if (matches(texts[static_cast<std::size_t>(candidate)])) {
            answer.selection = candidate;
            answer.result = highlightAnswer(candidate);
            return answer;
        }
    }
    return answer;
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
        answer.result = highlightAnswer(answer.selection);
        return answer;
    }

    return nextMatch(selection, texts, [typed](const std::string& text) {
        return !text.empty() && upperLatin(static_cast<unsigned char>(text[0])) == upperLatin(typed);
    });
}

TypeAheadAnswer typeAheadReal(int selection, const std::vector<std::u16string>& realTexts,
                              char32_t typed)
{
    if (selection < 0 || selection >= static_cast<int>(realTexts.size())) {
        TypeAheadAnswer answer;
        answer.selection = selection;
        return answer;
    }
    return nextMatch(selection, realTexts,
                     [typed](const std::u16string& text) { return firstCharacter(text) == typed; });
}

TypedPrefix::Search TypedPrefix::add(char32_t typed, std::uint32_t nowMs)
{
    bool burst = !prefix_.empty() && nowMs - lastMs_ <= typedPrefixPauseMs;
    lastMs_ = nowMs;
    auto fold = [](char32_t c) { return c < 0x80 ? upperLatin(static_cast<unsigned char>(c)) : c; };
    if (burst && !(prefix_.size() == 1 && fold(prefix_[0]) == fold(typed))) {
        prefix_ += typed;
        return {prefix_, false};
    }
    prefix_.assign(1, typed);
    return {prefix_, true};
}

TypeAheadAnswer typeAheadPrefix(int selection, const std::vector<std::u32string>& texts,
                                const TypedPrefix::Search& search)
{
    auto fold = [](char32_t c) { return c < 0x80 ? upperLatin(static_cast<unsigned char>(c)) : c; };
    auto begins = [&](const std::u32string& text) {
        if (search.prefix.empty() || text.size() < search.prefix.size())
            return false;
        for (std::size_t i = 0; i < search.prefix.size(); ++i)
            if (fold(text[i]) != fold(search.prefix[i]))
                return false;
        return true;
    };
    int count = static_cast<int>(texts.size());
    if (selection < 0 || selection >= count) {
        TypeAheadAnswer answer;
        answer.selection = selection;
        return answer;
    }
    if (!search.fromNext && begins(texts[static_cast<std::size_t>(selection)])) {
        TypeAheadAnswer answer;
        answer.selection = selection;
        answer.result = highlightAnswer(selection);
        return answer;
    }
    return nextMatch(selection, texts, begins);
}
