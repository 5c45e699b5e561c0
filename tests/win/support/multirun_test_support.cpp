#include "tests/win/support/multirun_test_support.h"

#include "common/path_text.h"
#include "framework/application_win.h"
#include "resources/resource.h"
#include "tests/win/support/win_test_support.h"

#include <objbase.h>
#include <shlobj.h>


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
    auto window = std::make_unique<MultiRunWindow>(app::profile());
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
    // The window releases the drop, as it would one from the shell.
    SendMessageA(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(paths)), 0);
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
