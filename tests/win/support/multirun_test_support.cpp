#include "tests/win/support/multirun_test_support.h"

#include "common/path_text.h"
#include "framework/application_win.h"
#include "resources/resource.h"
#include "tests/win/support/win_test_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

std::string testListFolder()
{
    PathParts program = splitPath(app::modulePath());
    return makePath(program.drive, program.directory, "seq", "");
}

void clearListFolder()
{
    std::string folder = testListFolder();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.sqx").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA((folder + "\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

void MultiRunTestBase::SetUpTestSuite()
{
    CoInitialize(nullptr);
}

void MultiRunTestBase::TearDownTestSuite()
{
    CoUninitialize();
}

void MultiRunTestBase::SetUp()
{
    clearTestProfile();
    clearListFolder();
}

void MultiRunTestBase::TearDown()
{
    clearListFolder();
}

std::unique_ptr<MultiRunWindow> createMultiRunWindow()
{
    auto window = std::make_unique<MultiRunWindow>();
    if (!window->create(nullptr))
        return nullptr;
    return window;
}

void clickEntry(MultiRunWindow& window, int index)
{
    HWND list = window.item(IDC_RUN_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_RUN_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

int selectedIndex(MultiRunWindow& window)
{
    return static_cast<int>(SendMessageA(window.item(IDC_RUN_LIST), LB_GETCURSEL, 0, 0));
}

void sendCommand(MultiRunWindow& window, int id, int code)
{
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(window.item(id)));
}

void dropFiles(MultiRunWindow& window, const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    // The window releases the drop, as it would one from the shell.
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void typeParameters(MultiRunWindow& window, const std::string& text)
{
    SetWindowTextA(window.item(IDC_RUN_PARAM), text.c_str());
}

std::string controlText(HWND control)
{
    char buffer[2048] = {};
    GetWindowTextA(control, buffer, sizeof(buffer));
    return buffer;
}

std::string copyChild(const std::string& folder, const std::string& name, int sleepMs)
{
    PathParts program = splitPath(app::modulePath());
    std::string child = makePath(program.drive, program.directory, "qchild", ".exe");
    std::string copy = folder + "\\" + name + ".exe";
    CopyFileA(child.c_str(), copy.c_str(), FALSE);
    if (sleepMs > 0) {
        std::ofstream sleep(folder + "\\" + name + ".sleep");
        sleep << sleepMs;
    }
    return copy;
}

ChildRecord readChildRecord(const std::string& childPath)
{
    ChildRecord record;
    std::string base = childPath.substr(0, childPath.rfind('.'));
    std::istringstream lines(readFile(base + ".log"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind, pid;
        unsigned long long ms = 0;
        words >> kind >> ms >> pid;
        if (kind == "start") {
            record.started = true;
            record.start = ms;
            record.pid = static_cast<DWORD>(std::stoul(pid));
            // "start <ms> <pid> <directory> <arguments>": the directory has no spaces here.
            std::string directory;
            words >> directory;
            std::getline(words, record.arguments);
            if (!record.arguments.empty() && record.arguments[0] == ' ')
                record.arguments.erase(0, 1);
        } else if (kind == "end") {
            record.ended = true;
            record.end = ms;
        }
    }
    return record;
}

void stopChild(const ChildRecord& record)
{
    if (!record.started || record.ended || record.pid == 0)
        return;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, record.pid);
    if (!process)
        return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}
