// A child program for the tests: records how it was started, then (optionally) waits, then
// records its end. Copies under other names keep separate records:
//   <own path without .exe>.log     appended: "start <ms> <pid> <working directory> <args>"
//                                   and later "end <ms> <pid>" (ms since the system started)
//                                   and "path <hex>": its own real path in UTF-8, as hex digits,
//                                   and "line <hex>": its UTF-16 command line the same way,
//                                   so a name the code page cannot hold is seen as it is
//   <own path without .exe>.sleep   if present: milliseconds to stay alive before ending; a
//                                   negative number: until the test stops it
// The arguments are the raw command line after the program name.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring ownPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ownBase()
{
    std::wstring base = ownPath();
    std::size_t dot = base.rfind(L'.');
    if (dot != std::wstring::npos)
        base.resize(dot);
    return base;
}

std::string utf8Hex(const std::wstring& text)
{
    char utf8[4 * MAX_PATH] = {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     utf8, sizeof(utf8), nullptr, nullptr);
    std::string hex;
    const char* digits = "0123456789abcdef";
    for (int i = 0; i < length; ++i) {
        unsigned char byte = static_cast<unsigned char>(utf8[i]);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

void appendLine(const std::wstring& file, const std::string& line)
{
    HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(handle);
}

std::string argumentsAfterProgramName()
{
    const char* line = GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line)
            ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    if (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::wstring base = ownBase();
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    std::string pid = std::to_string(GetCurrentProcessId());
    appendLine(base + L".log", "start " + std::to_string(GetTickCount64()) + " " + pid + " " +
                                  directory + " " + argumentsAfterProgramName());
    appendLine(base + L".log", "path " + utf8Hex(ownPath()));
    appendLine(base + L".log", "line " + utf8Hex(GetCommandLineW()));
    FILE* sleepFile = _wfopen((base + L".sleep").c_str(), L"r");
    if (sleepFile) {
        long ms = 0;
        if (std::fscanf(sleepFile, "%ld", &ms) == 1 && ms != 0)
            Sleep(ms < 0 ? INFINITE : static_cast<DWORD>(ms));
        std::fclose(sleepFile);
    }
    appendLine(base + L".log", "end " + std::to_string(GetTickCount64()) + " " + pid);
    return 0;
}
