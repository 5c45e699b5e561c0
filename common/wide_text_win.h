// Between the ANSI code page, which every stored text uses, and UTF-16, which holds the names
// the code page cannot.
#pragma once

#include <windows.h>

#include <string>

// The ANSI text in UTF-16 (empty when the text is not valid in the code page).
std::u16string widened(const std::string& ansi);

// The UTF-16 text in the code page: true when the code page holds every character, so the
// bytes are those the A functions would give; false otherwise (ansi then holds the default
// character in place of each missing one).
bool narrowedExactly(const wchar_t* wide, std::string& ansi);
inline bool narrowedExactly(const std::u16string& wide, std::string& ansi)
{
    return narrowedExactly(reinterpret_cast<const wchar_t*>(wide.c_str()), ansi);
}

// UTF-16 as the W functions take it (wchar_t is 16 bits on Windows).
inline const wchar_t* wideChars(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string fromWide(const wchar_t* text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}
