#include "launcher/wide_entry_text.h"

namespace {

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string wideEntryDisplayText(const std::u16string& entryName, bool printEnt, bool printLnk)
{
    std::size_t dot = entryName.rfind(u'.');
    std::u16string extension = dot == std::u16string::npos ? u"" : entryName.substr(dot);
    bool showExtension = extension == u".lnk" ? printLnk : printEnt;
    if (showExtension)
        return entryName;
    return entryName.substr(0, entryName.size() - extension.size());
}

std::u16string shownWideItemText(const std::u16string& displayText, std::int32_t stringsNumber)
{
    std::int64_t room = stringsNumber;
    std::size_t end = 0;
    while (end < displayText.size()) {
        std::size_t units = isHighSurrogate(displayText[end]) && end + 1 < displayText.size() &&
                                    isLowSurrogate(displayText[end + 1])
                                ? 2
                                : 1;
        int cost = displayText[end] < 0x80 ? 1 : 2;
        if (cost > room)
            break;
        room -= cost;
        end += units;
    }
    return displayText.substr(0, end);
}

char32_t firstCharacter(const std::u16string& text)
{
    if (text.empty())
        return 0;
    if (text.size() >= 2 && isHighSurrogate(text[0]) && isLowSurrogate(text[1]))
        return 0x10000 + ((static_cast<char32_t>(text[0]) - 0xD800) << 10) +
               (static_cast<char32_t>(text[1]) - 0xDC00);
    return text[0];
}
