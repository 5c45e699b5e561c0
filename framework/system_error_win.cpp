#include "framework/system_error_win.h"

#include <vector>

std::string systemErrorText(DWORD code, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(bufferSize, '\0');
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  buffer.data(), static_cast<DWORD>(bufferSize - 1), nullptr);
    if (length == 0)
        return {};
    return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

std::string lastErrorText(std::size_t bufferSize)
{
    return systemErrorText(GetLastError(), bufferSize);
}
