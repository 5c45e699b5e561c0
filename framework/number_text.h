// How the dialogs read numbers typed into edit boxes: at most the first 31 characters count,
// blanks and tabs may surround the digits, and anything else makes the text bad.
#pragma once

#include <cstdint>
#include <string>

constexpr std::size_t numberTextLimit = 31;

// Digits only (no sign); false for bad text or a value beyond 32 bits.
bool parseUnsignedText(const std::string& text, std::uint32_t& value);

// An optional sign, then digits; false for bad text or a value beyond 32 bits.
bool parseSignedText(const std::string& text, std::int32_t& value);

// "%1 から %2 までの整数を入力してください。" filled in.
std::string rangeMessage(long long low, long long high);

extern const char badIntegerMessage[];
extern const char badPositiveIntegerMessage[];
