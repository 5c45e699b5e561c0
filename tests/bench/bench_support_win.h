// What the benchmarks share: a clock, medians, launcher folders as users keep them, the
// launcher's code run in-process, and programs started, watched and ended by their process.
#pragma once

#include "common/shortcut_win.h"
#include "framework/application_win.h"
#include "framework/dialog_win.h"
#include "framework/handles_win.h"
#include "framework/message_box_win.h"
#include "tests/support/files_and_processes_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// A benchmark's command line: the programs it runs first, then numbers with defaults. Prints
// the usage when programs are missing.
inline bool namesPrograms(int argc, int programs, const char* usage)
{
    if (argc > programs)
        return true;
    std::fprintf(stderr, "usage: %s\n", usage);
    return false;
}

inline int numberArgument(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::atoi(argv[index]) : fallback;
}

// The programs the start-up and footprint benchmarks start, by their main windows' titles.
const char launcherTitle[] = "Quintarel - Folder の 設定 -";
const char multiRunTitle[] = "複数実行";
const char floorTitle[] = "Quintarel tray floor";

inline double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline void writeFile(const std::string& path, const std::string& text = "x")
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
}

using test_support::removeTree;

// A launcher folder as users keep them: shortcuts, documents of a few types and sub-folders,
// named in Japanese and in Latin letters. Made anew below base.
inline std::string makeFolder(const std::string& base, int count)
{
    std::string folder = base + "\\ランチャー" + std::to_string(count);
    removeTree(folder);
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string target = base + "\\target.txt";
    writeFile(target);
    for (int i = 0; i < count; ++i) {
        char name[64];
        switch (i % 5) {
        case 0:
            wsprintfA(name, "ツール%04d.lnk", i);
            createShortcut(target, folder + "\\" + name, "");
            break;
        case 1:
            wsprintfA(name, "memo%04d.txt", i);
            writeFile(folder + "\\" + name);
            break;
        case 2:
            wsprintfA(name, "資料%04d.dat", i);
            writeFile(folder + "\\" + name);
            break;
        case 3:
            wsprintfA(name, "page%04d.htm", i);
            writeFile(folder + "\\" + name);
            break;
        default:
            wsprintfA(name, "フォルダ%04d", i);
            CreateDirectoryA((folder + "\\" + name).c_str(), nullptr);
            break;
        }
    }
    return folder;
}

// A folder of one kind of entries below base, made anew:
//     documents: txt, bmp, html and doc files in turn
//     mixed:     a quarter each of programs (copies of program), txt, bmp, sub-folders
//     shortcuts: shortcuts to four programs (copies of program) and a text file in turn
inline std::string makeKindFolder(const std::string& base, const char* kind, int count,
                           const std::string& program)
{
    std::string folder = base + "\\" + kind + std::to_string(count);
    bench::removeTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    bool mixed = std::strcmp(kind, "mixed") == 0;
    if (!std::strcmp(kind, "shortcuts")) {
        std::string targets = folder + "-targets";
        bench::removeTree(targets);
        CreateDirectoryA(targets.c_str(), nullptr);
        auto target = [&](int i) {
            return targets + "\\target" + std::to_string(i) + (i < 4 ? ".exe" : ".txt");
        };
        for (int i = 0; i < 4; ++i)
            CopyFileA(program.c_str(), target(i).c_str(), FALSE);
        bench::writeFile(target(4));
        for (int i = 0; i < count; ++i)
            createShortcut(target(i % 5), folder + "\\近道" + std::to_string(i) + ".lnk", "");
        return folder;
    }
    static const char* const documents[] = {"txt", "bmp", "html", "doc"};
    static const char* const mixture[] = {"exe", "txt", "bmp", ""};
    for (int i = 0; i < count; ++i) {
        const char* type = (mixed ? mixture : documents)[i % 4];
        char name[64];
        wsprintfA(name, *type ? "資料%04d.%s" : "フォルダ%04d", i, type);
        std::string path = folder + "\\" + name;
        if (!*type)
            CreateDirectoryA(path.c_str(), nullptr);
        else if (!std::strcmp(type, "exe"))
            CopyFileA(program.c_str(), path.c_str(), FALSE);
        else
            bench::writeFile(path);
    }
    return folder;
}

// Handles what is queued for this thread as the program's loop would, dialog keys included.
inline void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        Dialog::dispatchLoopMessage(message);
}

inline std::string tempBase()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "qbench";
    CreateDirectoryA(base.c_str(), nullptr);
    return base;
}

// Starts a program with the arguments; its process handle, or null.
inline HANDLE startProgram(const std::string& exe, const std::string& arguments = {})
{
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The top-level window of that title that belongs to the process, or null.
inline HWND windowOf(HANDLE process, const char* title)
{
    DWORD wanted = GetProcessId(process);
    for (HWND window = FindWindowA(nullptr, title); window;
         window = FindWindowExA(nullptr, window, nullptr, title)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == wanted)
            return window;
    }
    return nullptr;
}

inline HWND waitForWindow(HANDLE process, const char* title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = windowOf(process, title))
            return window;
        if (GetTickCount() - start > timeoutMs ||
            WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return nullptr;
        Sleep(1);
    }
}

// Whether the notification area holds the icon of that window and id: the shell changes only
// icons it holds, and a change with no flags changes nothing.
inline bool trayIconIsUp(HWND owner, UINT id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// The program's window of that title once the shell holds its icon of that id, polled; null
// when that does not come in time or the program ends.
inline HWND waitForTrayIcon(HANDLE process, const char* title, UINT id, DWORD timeoutMs)
{
    HWND window = nullptr;
    DWORD begin = GetTickCount();
    while (GetTickCount() - begin < timeoutMs) {
        if (!window)
            window = windowOf(process, title);
        if (window && trayIconIsUp(window, id))
            return window;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    return nullptr;
}

// How many menus the launcher has built, as it keeps the count on its main window.
inline UINT_PTR menuBuilds(HWND launcherWindow)
{
    return reinterpret_cast<UINT_PTR>(GetPropA(launcherWindow, "Quintarel.MenuBuilds"));
}

// Asks the program to end with a posted message; ends it by force when it does not in time.
inline void endProgram(HANDLE process, HWND window, UINT message, WPARAM wParam)
{
    if (window)
        PostMessageA(window, message, wParam, 0);
    if (WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end when asked; it is ended by force\n");
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

// Ends the launcher with its exit command, the floor with a close.
inline void endLauncher(HANDLE process)
{
    endProgram(process, windowOf(process, launcherTitle), WM_COMMAND, 32771);
}

inline void endFloor(HANDLE process)
{
    endProgram(process, windowOf(process, floorTitle), WM_CLOSE, 0);
}

// The launcher's profile key: HKCU\Software\Brisvane\<program file name without extension>.
inline std::string profileKeyOf(const std::string& exe)
{
    std::string name = exe.substr(exe.find_last_of("\\/") + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return "Software\\Brisvane\\" + name;
}

// The launcher's code run inside a benchmark as its program runs it: COM up, a profile named
// after the benchmark program, which is removed at the end, and message boxes printed rather
// than left waiting for a click.
class InProcess {
public:
    InProcess()
    {
        app::setProfileRoot("Brisvane", app::moduleBaseName());
        setMessageBoxFunction(printMessage);
    }
    ~InProcess() { SHDeleteKeyA(HKEY_CURRENT_USER, profileKeyOf(app::modulePath()).c_str()); }
    InProcess(const InProcess&) = delete;
    InProcess& operator=(const InProcess&) = delete;

private:
    static int printMessage(HWND, const char* text, const char*, UINT)
    {
        std::fprintf(stderr, "message: %s\n", text);
        return IDOK;
    }
    ComInitialization com_;
};

inline void setProfileString(const std::string& key, const char* value, const std::string& text)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
}

}  // namespace bench
