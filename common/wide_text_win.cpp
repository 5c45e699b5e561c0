#include "common/wide_text_win.h"

std::u16string widened(const std::string& ansi)
{
    if (ansi.empty())
        return {};
    int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(),
                                     static_cast<int>(ansi.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()),
                        reinterpret_cast<wchar_t*>(&wide[0]), length);
    return wide;
}

bool narrowedExactly(const wchar_t* wide, std::string& ansi)
{
    // Without best fit, a character the code page lacks is never given a look-alike (a
    // fullwidth letter, a letter without its accent) that would name another file.
    char buffer[4 * MAX_PATH];
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, buffer,
                                     sizeof(buffer), nullptr, &usedDefault);
    if (length <= 0) {
        ansi.clear();
        return false;
    }
    ansi.assign(buffer, static_cast<std::size_t>(length - 1));
    return !usedDefault;
}
