#include "framework/system_library_win.h"

#include <string>

namespace {

// Ours: older headers lack it; the value is the system's.
constexpr DWORD searchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

}  // namespace

HMODULE systemLibrary(const char* name)
{
    // A module that is loaded already is not searched for: the name only finds it in memory.
    if (HMODULE loaded = GetModuleHandleA(name))
        return loaded;
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::string path = std::string(folder, length) + '\\' + name;
    return LoadLibraryA(path.c_str());
}

void restrictDllSearchToSystemFolder()
{
    // kernel32 is loaded in every process; the lookup searches nothing.
    auto setDefault = systemFunction<SetDefaultDllDirectoriesFunction>(
        "kernel32.dll", "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(searchSystem32))
        SetDllDirectoryA("");
}
