// What the Windows tests, the benchmarks and the driver each need of the file system and the
// process list, written once: header-only, so the driver, which links nothing of ours, can use it.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <functional>
#include <string>

namespace test_support {

// Wide, so names the code page cannot hold are removed too; read-only files as well.
inline bool removeWideTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeWideTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

// A folder and all it holds; the path in the code page.
inline bool removeTree(const std::string& path)
{
    wchar_t wide[MAX_PATH * 2] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2))
        return false;
    return removeWideTree(wide);
}

// Calls visit for every process running now; false when the list could not be taken.
inline bool forEachProcess(const std::function<void(const PROCESSENTRY32&)>& visit)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        visit(entry);
    CloseHandle(snapshot);
    return true;
}

// How many processes run the program of this file name (no folder, any case).
inline int processCount(const std::string& exeName)
{
    int count = 0;
    forEachProcess([&](const PROCESSENTRY32& entry) {
        count += lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0;
    });
    return count;
}

}  // namespace test_support
