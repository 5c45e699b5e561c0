// The display rules for entries whose names the ANSI code page cannot hold. Such an entry keeps
// its real name in UTF-16, and the rules that the ANSI entries follow on bytes are followed on
// characters here, never splitting a surrogate pair.
#pragma once

#include <cstdint>
#include <string>

// As entryDisplayText: the extension (from the last dot) is dropped unless the settings show
// it; ".lnk", exactly, is the shortcut extension.
std::u16string wideEntryDisplayText(const std::u16string& entryName, bool printEnt, bool printLnk);

// As shownItemText: the text cut to stringsNumber, a character below 0x80 counting 1 and any
// other character 2, as it would in a double-byte code page. A character that does not fit
// whole is left out, so a surrogate pair stays together.
std::u16string shownWideItemText(const std::u16string& displayText, std::int32_t stringsNumber);

// The first character of the text (a surrogate pair combined), or 0 for an empty text.
char32_t firstCharacter(const std::u16string& text);
