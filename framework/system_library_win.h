// System libraries by their full path in the system folder, and a DLL search that starts there:
// a program run from a Downloads folder must not load a DLL dropped beside it under a system
// library's name.
#pragma once

#include <windows.h>

// Restricts every later library search of the process to the system folder, where the system
// has that setting (Windows 8, and Windows 7 with its update KB2533623); elsewhere it takes the
// current folder out of the search. Called first thing in WinMain.
void restrictDllSearchToSystemFolder();

// A library already loaded, or loaded from the system folder by its full path; null when the
// system has none of that name (shcore.dll on Windows 7).
HMODULE systemLibrary(const char* name);

// A function of a system library looked up at run time: newer than the oldest system the
// programs start on, so not imported.
template <class Function>
Function systemFunction(const char* library, const char* name)
{
    HMODULE module = systemLibrary(library);
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
