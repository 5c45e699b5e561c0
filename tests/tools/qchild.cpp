// A child program for the tests: records how it was started, then (optionally) waits, then
// records its end. Copies under other names keep separate records:
//   <own path without .exe>.log     appended: "start <ms> <pid> <working directory> <args>"
//                                   and later "end <ms> <pid>" (ms since the system started)
//   <own path without .exe>.sleep   if present: milliseconds to stay alive before ending
// The arguments are the raw command line after the program name.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ownBase()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string base = path;
    std::size_t dot = base.rfind('.');
    if (dot != std::string::npos)
        base.resize(dot);
    return base;
}

void appendLine(const std::string& file, const std::string& line)
{
    HANDLE handle = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
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
    std::string base = ownBase();
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    std::string pid = std::to_string(GetCurrentProcessId());
    appendLine(base + ".log", "start " + std::to_string(GetTickCount64()) + " " + pid + " " +
                                  directory + " " + argumentsAfterProgramName());
    FILE* sleepFile = std::fopen((base + ".sleep").c_str(), "r");
    if (sleepFile) {
        long ms = 0;
        if (std::fscanf(sleepFile, "%ld", &ms) == 1 && ms > 0)
            Sleep(static_cast<DWORD>(ms));
        std::fclose(sleepFile);
    }
    appendLine(base + ".log", "end " + std::to_string(GetTickCount64()) + " " + pid);
    return 0;
}
