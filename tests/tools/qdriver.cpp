// Works the programs under test from outside, as another process: finds their windows, sends
// them messages, reads texts, and reads or resets the profile. One command per run; results go
// to standard output, one per line; the exit code is 0 on success and 1 when something asked for
// was not found in time.
//
//   qdriver find <title>                       hwnd of a top-level window with that title
//   qdriver wait <title> [ms]                  the same, waiting until it exists and is visible
//   qdriver wait-gone <title> [ms]             waits until no such window exists
//   qdriver wait-class <class> [ms]            first visible top-level window of the class
//   qdriver wait-text <substring> [ms]         first visible dialog whose text or title holds it
//   qdriver visible <hwnd>                     1 or 0
//   qdriver key-held <virtual key>             1 or 0, as GetAsyncKeyState sees it now
//   qdriver title <hwnd>
//   qdriver text <hwnd> <control id>           WM_GETTEXT of a control (decimal id, -1 = 0xFFFF)
//   qdriver set-text <hwnd> <control id> <text>
//   qdriver command <hwnd> <id> [code]         SendMessage WM_COMMAND
//   qdriver post-command <hwnd> <id> [code]    PostMessage WM_COMMAND
//   qdriver send <hwnd> <msg> <wparam> <lparam>
//   qdriver send-item <hwnd> <control id> <msg> <wparam> <lparam>   SendMessage to a control
//   qdriver post <hwnd> <msg> <wparam> <lparam>
//   qdriver click <hwnd> <control id>          BM_CLICK on a button
//   qdriver item <hwnd> <control id>           hwnd of a control, to send messages to it
//   qdriver check <hwnd> <control id>          BM_GETCHECK
//   qdriver rect <hwnd>                        left top right bottom
//   qdriver pid <hwnd>
//   qdriver windows                            every top-level window: hwnd class visible title
//   qdriver reg-get <key below HKCU> <value>   a string or a decimal number
//   qdriver reg-set-int <key> <value> <number>
//   qdriver reg-set-str <key> <value> <text>
//   qdriver reg-delete-tree <key>
//   qdriver list-count <hwnd> <control id>     LB_GETCOUNT
//   qdriver list-text <hwnd> <control id> <i>  LB_GETTEXT (a character the code page cannot
//                                              hold as "&#xHEX;")
//   qdriver shell-link <path.lnk>              target, arguments, working directory
//   qdriver make-shortcut <target> <path.lnk>  a shortcut as the shell makes one: the target's
//                                              folder is its working directory
//   qdriver hold-hotkey <modifiers> <vk> <ms>  registers a hot key and keeps it for a while, so
//                                              that the program under test finds it taken
//   qdriver hold-mutex <name> <ms>             owns a named mutex for a while, as an instance
//                                              that is ending does; prints "held" once it has it
//   qdriver processes                          every process: pid and its program's full path
//   qdriver special-folder <csidl>             path of a shell folder (7 Startup, 9 Send To)
//   qdriver shell-open <path> [parameters]     ShellExecuteEx with the default verb; the pid
//   qdriver kill <pid>                         TerminateProcess, for a process a test did not
//                                              start itself (one the program under test started)
//   qdriver run <ms> <exe> [args...]           runs a program and waits for it: its exit code as
//                                              a signed number (exit 1 and the program ended
//                                              when it outlives the time)
//   qdriver exstyle <hwnd>                     extended window style, hexadecimal
//   qdriver broadcast <message name>           sends a registered message (such as the shell's
//                                              "TaskbarCreated") to every top-level window
//   qdriver tray-delete <hwnd> <id>            takes a window's tray icon away, as a taskbar
//                                              that restarts loses it
//   qdriver prop <hwnd> <name>                 a window property's value as a number (0: none)
//   qdriver tray-has <hwnd> <id>               1 when the taskbar holds that icon, else 0
//   qdriver drop <hwnd> <path>...              posts WM_DROPFILES with the paths in UTF-16 (as
//                                              the command line gives them), the block written
//                                              into the window's process
//   qdriver tray-point <hwnd> <id>             x y: the centre of that icon in the taskbar,
//                                              while it is the only icon shown there
//   qdriver version <exe> <name>...            texts of the version resource (ProductName...),
//                                              one line each
//   qdriver manifest <exe>                     the program's embedded application manifest
//   qdriver children <hwnd>                    every child window: id, class, visible (1/0) and
//                                              its rectangle on the screen, one line each
//   qdriver balloon-probe <text> <ms>          puts up an icon of its own with a balloon and
//                                              waits until that balloon shows: the taskbar shows
//                                              one balloon at a time, so a balloon asked for
//                                              before would show first
//
// Handles are written and read as hexadecimal numbers; numbers otherwise are decimal or 0x...
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../support/files_and_processes_win.h"

namespace {

HWND parseWindow(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 16)));
}

long long parseNumber(const char* text)
{
    return std::strtoll(text, nullptr, 0);
}

int controlId(const char* text)
{
    int id = static_cast<int>(parseNumber(text));
    return id == -1 ? 0xFFFF : id;
}

void printWindow(HWND window)
{
    std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
}

std::string windowText(HWND window)
{
    char buffer[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

std::string className(HWND window)
{
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    return buffer;
}

template <class Find>
int waitFor(DWORD timeoutMs, Find find)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = find();
        if (window) {
            printWindow(window);
            return 0;
        }
        if (GetTickCount() - start > timeoutMs)
            return 1;
        Sleep(50);
    }
}

struct Search {
    std::string text;
    bool byClass;
    HWND found;
};

BOOL CALLBACK findChildText(HWND child, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (windowText(child).find(search->text) != std::string::npos) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findTopLevel(HWND window, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    if (search->byClass) {
        if (className(window) == search->text) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    if (windowText(window).find(search->text) != std::string::npos) {
        search->found = window;
        return FALSE;
    }
    Search inner{search->text, false, nullptr};
    EnumChildWindows(window, findChildText, reinterpret_cast<LPARAM>(&inner));
    if (inner.found) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window the search names (by class, or by text of its own or of a
// child), or null.
HWND visibleTopLevel(Search& search)
{
    search.found = nullptr;
    EnumWindows(findTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK listChild(HWND child, LPARAM)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    std::printf("%d\t%s\t%d\t%ld %ld %ld %ld\n", GetDlgCtrlID(child), className(child).c_str(),
                IsWindowVisible(child) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom);
    return TRUE;
}

BOOL CALLBACK listWindow(HWND window, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // One line a window: a title of several lines (a balloon's text) keeps its breaks as \n.
    std::string title;
    for (char c : windowText(window))
        title += c == '\n' ? std::string("\\n") : c == '\r' ? std::string() : std::string(1, c);
    std::printf("%llx\t%s\t%d\t%lu\t%s\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                className(window).c_str(), IsWindowVisible(window) ? 1 : 0,
                static_cast<unsigned long>(pid), title.c_str());
    return TRUE;
}

int regGet(const char* key, const char* value)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return 1;
    DWORD type = 0;
    std::vector<BYTE> data(65536 + 1, 0);
    DWORD size = 65536;
    LONG status = RegQueryValueExA(handle, value, nullptr, &type, data.data(), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return 1;
    if (type == REG_DWORD) {
        DWORD number = 0;
        memcpy(&number, data.data(), sizeof(number));
        std::printf("%lu\n", static_cast<unsigned long>(number));
    } else {
        data[size] = 0;
        std::printf("%s\n", reinterpret_cast<const char*>(data.data()));
    }
    return 0;
}

int regSet(const char* key, const char* value, DWORD type, const void* data, DWORD size)
{
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &handle, nullptr);
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "RegCreateKeyEx failed with %ld\n", static_cast<long>(status));
        return 1;
    }
    status = RegSetValueExA(handle, value, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        std::fprintf(stderr, "RegSetValueEx failed with %ld\n", static_cast<long>(status));
    return status == ERROR_SUCCESS ? 0 : 1;
}

int makeShortcut(const char* target, const char* path)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return 1;
    // The shell's own cut of the file name knows double-byte names.
    char directory[MAX_PATH] = {};
    lstrcpynA(directory, target, MAX_PATH);
    PathRemoveFileSpecA(directory);
    link->SetPath(target);
    link->SetWorkingDirectory(directory);
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    int result = file && SUCCEEDED(file->Save(wide, TRUE)) ? 0 : 1;
    if (file)
        file->Release();
    link->Release();
    return result;
}

int shellLink(const char* path)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return 1;
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    int result = 1;
    if (file && SUCCEEDED(file->Load(wide, STGM_READ))) {
        char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, directory[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(arguments, MAX_PATH);
        link->GetWorkingDirectory(directory, MAX_PATH);
        std::printf("%s\n%s\n%s\n", target, arguments, directory);
        result = 0;
    }
    if (file)
        file->Release();
    link->Release();
    return result;
}

int specialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return 1;
    std::printf("%s\n", path);
    return 0;
}

int shellOpen(const char* path, const char* parameters)
{
    CoInitialize(nullptr);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = path;
    info.lpParameters = *parameters ? parameters : nullptr;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info))
        return 1;
    DWORD pid = info.hProcess ? GetProcessId(info.hProcess) : 0;
    std::printf("%lu\n", static_cast<unsigned long>(pid));
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return 0;
}

int killProcess(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process)
        return 1;
    BOOL ended = TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return ended ? 0 : 1;
}

// The tray record as the shell first defined it; hWnd and uID name the icon.
bool notifyTray(DWORD action, HWND window, UINT id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(action, &data) != FALSE;
}

// Wine's taskbar keeps no window per icon and has no Shell_NotifyIconGetRect: it paints the
// icons into its own window and gives each shown icon a tooltip window of its own, whose one
// tool is the icon's rectangle in the taskbar (empty once the icon is gone). The tooltips live
// in the taskbar's process, so their tools are read through memory lent there. They do not say
// whose icon they show: the point is told only while one icon is shown.
struct TrayTools {
    HWND tray;
    HANDLE process;
    void* remote;
    std::vector<RECT> icons;
};

BOOL CALLBACK readTrayTool(HWND window, LPARAM data)
{
    TrayTools* tools = reinterpret_cast<TrayTools*>(data);
    if (GetWindow(window, GW_OWNER) != tools->tray || className(window) != TOOLTIPS_CLASSA)
        return TRUE;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    SIZE_T done = 0;
    if (WriteProcessMemory(tools->process, tools->remote, &tool, sizeof(tool), &done) &&
        SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(tools->remote)) &&
        ReadProcessMemory(tools->process, tools->remote, &tool, sizeof(tool), &done) &&
        !IsRectEmpty(&tool.rect))
        tools->icons.push_back(tool.rect);
    return TRUE;
}

int printTrayPoint()
{
    TrayTools tools{FindWindowA("Shell_TrayWnd", nullptr), nullptr, nullptr, {}};
    DWORD pid = 0;
    GetWindowThreadProcessId(tools.tray, &pid);
    tools.process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                pid);
    if (!tools.tray || !tools.process)
        return 1;
    tools.remote = VirtualAllocEx(tools.process, nullptr, sizeof(TTTOOLINFOW), MEM_COMMIT,
                                  PAGE_READWRITE);
    if (tools.remote) {
        EnumWindows(readTrayTool, reinterpret_cast<LPARAM>(&tools));
        VirtualFreeEx(tools.process, tools.remote, 0, MEM_RELEASE);
    }
    CloseHandle(tools.process);
    if (tools.icons.size() != 1) {
        std::fprintf(stderr, "%u icons are shown\n", static_cast<unsigned>(tools.icons.size()));
        return 1;
    }
    POINT centre{(tools.icons[0].left + tools.icons[0].right) / 2,
                 (tools.icons[0].top + tools.icons[0].bottom) / 2};
    ClientToScreen(tools.tray, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
}

int printProcesses()
{
    bool listed = test_support::forEachProcess([](const PROCESSENTRY32& entry) {
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process || !QueryFullProcessImageNameA(process, 0, path, &size))
            lstrcpynA(path, entry.szExeFile, MAX_PATH);
        if (process)
            CloseHandle(process);
        std::printf("%lu\t%s\n", static_cast<unsigned long>(entry.th32ProcessID), path);
    });
    return listed ? 0 : 1;
}

int versionTexts(const char* path, int argc, char** argv, int first)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return 1;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data()))
        return 1;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return 1;
    for (int i = first; i < argc; ++i) {
        char query[128];
        std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s",
                      translation->language, translation->codePage, argv[i]);
        char* text = nullptr;
        if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length) ||
            !text)
            return 1;
        std::printf("%s\n", text);
    }
    return 0;
}

int printManifest(const char* path)
{
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return 1;
    int result = 1;
    // Programs carry their manifest as resource 1 of its type.
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        HGLOBAL loaded = LoadResource(module, found);
        const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (text) {
            std::fwrite(text, 1, SizeofResource(module, found), stdout);
            std::printf("\n");
            result = 0;
        }
    }
    FreeLibrary(module);
    return result;
}

int runProgram(DWORD timeoutMs, int argc, char** argv, int first)
{
    std::string commandLine;
    for (int i = first; i < argc; ++i) {
        if (i > first)
            commandLine += ' ';
        commandLine += '"';
        commandLine += argv[i];
        commandLine += '"';
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    CloseHandle(process.hThread);
    int result = 1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        std::printf("%ld\n", static_cast<long>(static_cast<LONG>(code)));
        result = 0;
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return result;
}

// The text in the code page, a character the code page cannot hold written as "&#xHEX;".
std::string escapedText(const wchar_t* wide)
{
    std::string text;
    for (const wchar_t* at = wide; *at; ++at) {
        int units = (*at >= 0xD800 && *at <= 0xDBFF && at[1] >= 0xDC00 && at[1] <= 0xDFFF) ? 2 : 1;
        char bytes[8] = {};
        BOOL usedDefault = FALSE;
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, at, units, bytes,
                                         sizeof(bytes), nullptr, &usedDefault);
        if (length > 0 && !usedDefault) {
            text.append(bytes, static_cast<std::size_t>(length));
        } else {
            unsigned long code = units == 2 ? 0x10000 + ((at[0] - 0xD800) << 10) + (at[1] - 0xDC00)
                                            : at[0];
            char escape[16];
            std::snprintf(escape, sizeof(escape), "&#x%lX;", code);
            text += escape;
        }
        at += units - 1;
    }
    return text;
}

// A drop as the shell makes one, of real (UTF-16) names. The block lives in the receiver's
// memory: page-aligned, it is a fixed block to the receiver's DragQueryFile.
int dropFiles(HWND window)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 4)
        return 2;
    std::wstring names;
    for (int i = 3; i < count; ++i)
        names += std::wstring(arguments[i]) + L'\0';
    names += L'\0';
    LocalFree(arguments);
    std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return 1;
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
    CloseHandle(process);
    if (!written)
        return 1;
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::string command = argv[1];
    auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : ""; };
    DWORD timeout = 10000;

    if (command == "find") {
        HWND window = FindWindowA(nullptr, arg(2));
        if (!window)
            return 1;
        printWindow(window);
        return 0;
    }
    if (command == "wait") {
        if (argc > 3)
            timeout = static_cast<DWORD>(parseNumber(arg(3)));
        std::string title = arg(2);
        return waitFor(timeout, [&]() -> HWND {
            HWND window = FindWindowA(nullptr, title.c_str());
            return window && IsWindowVisible(window) ? window : nullptr;
        });
    }
    if (command == "wait-exists") {
        if (argc > 3)
            timeout = static_cast<DWORD>(parseNumber(arg(3)));
        std::string title = arg(2);
        return waitFor(timeout, [&]() { return FindWindowA(nullptr, title.c_str()); });
    }
    if (command == "wait-gone") {
        if (argc > 3)
            timeout = static_cast<DWORD>(parseNumber(arg(3)));
        DWORD start = GetTickCount();
        while (FindWindowA(nullptr, arg(2))) {
            if (GetTickCount() - start > timeout)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    if (command == "wait-class" || command == "wait-text") {
        if (argc > 3)
            timeout = static_cast<DWORD>(parseNumber(arg(3)));
        Search search{arg(2), command == "wait-class", nullptr};
        return waitFor(timeout, [&]() { return visibleTopLevel(search); });
    }
    if (command == "key-held") {
        std::printf("%d\n", (GetAsyncKeyState(static_cast<int>(parseNumber(arg(2)))) & 0x8000) ? 1 : 0);
        return 0;
    }
    if (command == "visible") {
        std::printf("%d\n", IsWindowVisible(parseWindow(arg(2))) ? 1 : 0);
        return 0;
    }
    if (command == "title") {
        std::printf("%s\n", windowText(parseWindow(arg(2))).c_str());
        return 0;
    }
    if (command == "text") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        std::printf("%s\n", windowText(control).c_str());
        return 0;
    }
    if (command == "set-text") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4)));
        return 0;
    }
    if (command == "command" || command == "post-command") {
        WPARAM wParam = MAKEWPARAM(parseNumber(arg(3)), argc > 4 ? parseNumber(arg(4)) : 0);
        if (command == "command")
            SendMessageA(parseWindow(arg(2)), WM_COMMAND, wParam, 0);
        else
            PostMessageA(parseWindow(arg(2)), WM_COMMAND, wParam, 0);
        return 0;
    }
    if (command == "drop")
        return dropFiles(parseWindow(arg(2)));
    if (command == "send" || command == "post") {
        HWND window = parseWindow(arg(2));
        UINT message = static_cast<UINT>(parseNumber(arg(3)));
        WPARAM wParam = static_cast<WPARAM>(parseNumber(arg(4)));
        LPARAM lParam = static_cast<LPARAM>(parseNumber(arg(5)));
        if (command == "send")
            std::printf("%lld\n", static_cast<long long>(SendMessageA(window, message, wParam, lParam)));
        else
            PostMessageA(window, message, wParam, lParam);
        return 0;
    }
    if (command == "item") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        printWindow(control);
        return 0;
    }
    if (command == "hold-hotkey") {
        // The test probes for the key meanwhile and holds it for a moment each time: retry.
        DWORD start = GetTickCount();
        while (!RegisterHotKey(nullptr, 1, static_cast<UINT>(parseNumber(arg(2))),
                               static_cast<UINT>(parseNumber(arg(3))))) {
            if (GetTickCount() - start > 3000)
                return 1;
            Sleep(10);
        }
        start = GetTickCount();
        DWORD hold = static_cast<DWORD>(parseNumber(arg(4)));
        while (GetTickCount() - start < hold) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            }
            Sleep(20);
        }
        UnregisterHotKey(nullptr, 1);
        return 0;
    }
    if (command == "hold-mutex") {
        HANDLE mutex = CreateMutexA(nullptr, TRUE, arg(2));
        if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS)
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(parseNumber(arg(3))));
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        return 0;
    }
    if (command == "processes")
        return printProcesses();
    if (command == "send-item") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        LRESULT result = SendMessageA(control, static_cast<UINT>(parseNumber(arg(4))),
                                      static_cast<WPARAM>(parseNumber(arg(5))),
                                      static_cast<LPARAM>(parseNumber(arg(6))));
        std::printf("%lld\n", static_cast<long long>(result));
        return 0;
    }
    if (command == "click") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        PostMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "check") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        std::printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
        return 0;
    }
    if (command == "enabled") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
        return 0;
    }
    if (command == "rect") {
        RECT rect{};
        if (!GetWindowRect(parseWindow(arg(2)), &rect))
            return 1;
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (command == "pid") {
        DWORD pid = 0;
        GetWindowThreadProcessId(parseWindow(arg(2)), &pid);
        std::printf("%lu\n", static_cast<unsigned long>(pid));
        return pid ? 0 : 1;
    }
    if (command == "children") {
        EnumChildWindows(parseWindow(arg(2)), listChild, 0);
        return 0;
    }
    if (command == "windows") {
        EnumWindows(listWindow, 0);
        return 0;
    }
    if (command == "reg-get")
        return regGet(arg(2), arg(3));
    if (command == "reg-set-int") {
        DWORD number = static_cast<DWORD>(parseNumber(arg(4)));
        return regSet(arg(2), arg(3), REG_DWORD, &number, sizeof(number));
    }
    if (command == "reg-set-str") {
        std::string text = arg(4);
        return regSet(arg(2), arg(3), REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    if (command == "reg-set-key") {
        // The key alone, with no value: a profile that is there but holds nothing yet.
        HKEY handle = nullptr;
        LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, arg(2), 0, nullptr, 0, KEY_WRITE,
                                      nullptr, &handle, nullptr);
        if (status != ERROR_SUCCESS) {
            std::fprintf(stderr, "RegCreateKeyEx failed with %ld\n", static_cast<long>(status));
            return 1;
        }
        RegCloseKey(handle);
        return 0;
    }
    if (command == "reg-delete-tree") {
        SHDeleteKeyA(HKEY_CURRENT_USER, arg(2));
        return 0;
    }
    if (command == "list-count") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        std::printf("%lld\n", static_cast<long long>(SendMessageA(control, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    if (command == "list-text") {
        HWND control = GetDlgItem(parseWindow(arg(2)), controlId(arg(3)));
        if (!control)
            return 1;
        // Across processes Wine hands an ANSI caller the list box text in UTF-16: ask for that
        // and convert it here.
        WCHAR wide[4096] = {};
        SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(parseNumber(arg(4))),
                     reinterpret_cast<LPARAM>(wide));
        std::printf("%s\n", escapedText(wide).c_str());
        return 0;
    }
    if (command == "make-shortcut")
        return makeShortcut(arg(2), arg(3));
    if (command == "shell-link")
        return shellLink(arg(2));
    if (command == "special-folder")
        return specialFolder(static_cast<int>(parseNumber(arg(2))));
    if (command == "shell-open")
        return shellOpen(arg(2), arg(3));
    if (command == "run")
        return runProgram(static_cast<DWORD>(parseNumber(arg(2))), argc, argv, 3);
    if (command == "exstyle") {
        std::printf("%lx\n", static_cast<unsigned long>(
                                  GetWindowLongA(parseWindow(arg(2)), GWL_EXSTYLE)));
        return 0;
    }
    if (command == "broadcast") {
        // Sent, not posted: when it returns every top-level window has handled it.
        UINT message = RegisterWindowMessageA(arg(2));
        DWORD_PTR answer = 0;
        return message != 0 && SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0,
                                                   SMTO_ABORTIFHUNG, 10000, &answer) ? 0 : 1;
    }
    if (command == "setting-change") {
        // What the system broadcasts when a setting changes, its area named in the text.
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                                   reinterpret_cast<LPARAM>(arg(2)), SMTO_ABORTIFHUNG, 10000,
                                   &answer) ? 0 : 1;
    }
    if (command == "tray-delete")
        return notifyTray(NIM_DELETE, parseWindow(arg(2)),
                          static_cast<UINT>(parseNumber(arg(3)))) ? 0 : 1;
    if (command == "prop") {
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(
                                    GetPropA(parseWindow(arg(2)), arg(3)))));
        return 0;
    }
    if (command == "tray-has") {
        // A change of nothing: the taskbar answers whether it knows the icon.
        bool has = notifyTray(NIM_MODIFY, parseWindow(arg(2)), static_cast<UINT>(parseNumber(arg(3))));
        std::printf("%d\n", has ? 1 : 0);
        return 0;
    }
    if (command == "tray-point") {
        if (!notifyTray(NIM_MODIFY, parseWindow(arg(2)), static_cast<UINT>(parseNumber(arg(3)))))
            return 1;
        return printTrayPoint();
    }
    if (command == "balloon-probe") {
        HWND window = CreateWindowExA(0, "STATIC", "qdriver balloon probe", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, nullptr, nullptr);
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V2_SIZE;
        data.hWnd = window;
        data.uID = 1;
        data.uFlags = NIF_ICON | NIF_INFO;
        data.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        std::snprintf(data.szInfo, sizeof(data.szInfo), "%s", arg(2));
        data.uTimeout = 10000;
        if (!window || !Shell_NotifyIconA(NIM_ADD, &data))
            return 1;
        Search search{arg(2), false, nullptr};
        int shown = waitFor(static_cast<DWORD>(parseNumber(arg(3))),
                            [&]() { return visibleTopLevel(search); });
        Shell_NotifyIconA(NIM_DELETE, &data);
        DestroyWindow(window);
        return shown;
    }
    if (command == "version")
        return versionTexts(arg(2), argc, argv, 3);
    if (command == "manifest")
        return printManifest(arg(2));
    if (command == "kill")
        return killProcess(static_cast<DWORD>(parseNumber(arg(2))));
    return 2;
}
