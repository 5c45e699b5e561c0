#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The system's message text for an error code, as FormatMessageA gives it into a buffer of the
// given size (767 characters unless a caller needs less); empty when the system has none.
std::string systemErrorText(DWORD code, std::size_t bufferSize = 767);

// The same for GetLastError(), read before anything else can change it.
std::string lastErrorText(std::size_t bufferSize = 767);
