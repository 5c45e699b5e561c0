#include "framework/number_text.h"

const char badIntegerMessage[] = "整数を入力してください。";
const char badPositiveIntegerMessage[] = "正の整数を入力してください。";

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads [blanks][sign][digits][blanks] from the first 31 characters.
bool parseNumber(const std::string& fullText, bool allowSign, bool& negative,
                 std::uint64_t& magnitude)
{
    std::string text = fullText.substr(0, numberTextLimit);
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    negative = false;
    if (allowSign && i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digits = 0;
    magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (magnitude > 0xFFFFFFFFull + 1)
            return false;
        ++i;
        ++digits;
    }
    if (digits == 0)
        return false;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i == text.size();
}

}  // namespace

bool parseUnsignedText(const std::string& text, std::uint32_t& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!parseNumber(text, false, negative, magnitude) || magnitude > 0xFFFFFFFFull)
        return false;
    value = static_cast<std::uint32_t>(magnitude);
    return true;
}

bool parseSignedText(const std::string& text, std::int32_t& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!parseNumber(text, true, negative, magnitude))
        return false;
    if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull)
        return false;
    long long signedValue = negative ? -static_cast<long long>(magnitude)
                                     : static_cast<long long>(magnitude);
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::string rangeMessage(long long low, long long high)
{
    return std::to_string(low) + " から " + std::to_string(high) + " までの整数を入力してください。";
}
