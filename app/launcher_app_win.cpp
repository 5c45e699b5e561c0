#include "app/launcher_app_win.h"

#include "app/command_line.h"
#include "app/main_window_win.h"
#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "framework/application_win.h"
#include "framework/handles_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "resources/resource.h"
#include "settings/profile_names.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <new>

namespace names = profile_names;

const char singleInstanceMutexName[] =
    "Quintarel: the launcher of the notification area, 2026-12-08";

std::vector<std::string> commandLineArguments()
{
    // Split in UTF-16, so a trail byte that looks like a backslash before a quote cannot change
    // the splitting; then back to the ANSI code page the program works in.
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0)
            continue;
        std::string argument(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, &argument[0], bytes, nullptr, nullptr);
        argument.resize(static_cast<std::size_t>(bytes - 1));
        arguments.push_back(argument);
    }
    LocalFree(wide);
    return arguments;
}

std::string fileNameOnDisk(const std::string& path)
{
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path.c_str(), &found));
    if (search)
        return found.cFileName;
    std::string trimmed = path;
    while (trimmed.size() > 1 && findLastSeparator(trimmed) == trimmed.size() - 1)
        trimmed.pop_back();
    return lastComponent(trimmed);
}

bool sendToRunningInstance(WORD command)
{
    HWND running = FindWindowA(nullptr, mainWindowTitle);
    if (!running || !IsWindow(running))
        return false;
    SendMessageA(running, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

bool LauncherApp::registerShortcutsFromCommandLine(const std::vector<std::string>& arguments)
{
    std::string folder =
        app::profile().readString(names::nowFolderSection, names::appFolderValue, "");
    if (folder.empty()) {
        appMessageBox("標準フォルダーが設定されていません");
        return false;
    }
    std::vector<std::string> names;
    for (const std::string& argument : arguments)
        names.push_back(fileNameOnDisk(argument));
    if (appMessageBox(shortcutQuestion(names, folder), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        appMessageBox("ショートカット作成を中止しました。");
        return false;
    }
    for (const std::string& argument : arguments)
        createShortcut(argument, shortcutPathFor(folder, fileNameOnDisk(argument)), "");
    sendToRunningInstance(IDM_MENU_UPDATE);
    return true;
}

int LauncherApp::run()
{
    app::setProfileRoot(app::loadString(IDS_COMPANY), app::moduleBaseName());
    app::setDisplayName(app::loadString(IDS_DISPLAY_NAME));

    CoInitialize(nullptr);

    std::vector<std::string> arguments = commandLineArguments();
    if (!arguments.empty())
        registerShortcutsFromCommandLine(arguments);

    KernelHandle singleInstanceMutex(CreateMutexA(nullptr, TRUE, singleInstanceMutexName));
    if (!singleInstanceMutex) {
        appMessageBox("Cam't create mutex!");
        CoUninitialize();
        return 0;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (arguments.empty())
            sendToRunningInstance(IDM_SHOW_FOLDER_SETTINGS);
        ReleaseMutex(singleInstanceMutex.get());
        singleInstanceMutex.reset();
        CoUninitialize();
        return 0;
    }

    std::unique_ptr<MainWindow> mainWindow;
    try {
        mainWindow = std::make_unique<MainWindow>();
    } catch (const std::bad_alloc&) {
        appMessageBox("Can't init application!");
        ReleaseMutex(singleInstanceMutex.get());
        CoUninitialize();
        return 0;
    }

    if (mainWindow->createModeless(nullptr)) {
        mainWindow->multiRun().create(mainWindow->hwnd());
        mainWindow->multiRun().runWakeupLists();
        HWND window = mainWindow->hwnd();
        SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) & ~WS_VISIBLE);
        mainWindow->runMessageLoop();
    }

    mainWindow->multiRun().destroyWindow();
    mainWindow->destroyWindow();
    app::setMainWindow(nullptr);
    ReleaseMutex(singleInstanceMutex.get());
    singleInstanceMutex.reset();
    CoUninitialize();
    mainWindow.reset();
    return 0;
}
