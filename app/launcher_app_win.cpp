#include "app/launcher_app_win.h"

#include "app/command_line.h"
#include "app/main_window_win.h"
#include "common/path_compare_win.h"
#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/application_win.h"
#include "framework/handles_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "framework/system_error_win.h"
#include "resources/resource.h"
#include "settings/now_folder.h"

#include <shellapi.h>

#include <memory>
#include <new>

const char singleInstanceMutexName[] =
    "Quintarel: the launcher of the notification area, 2026-12-08";

std::vector<FileArgument> commandLineArguments()
{
    // Split in UTF-16, so a trail byte that looks like a backslash before a quote cannot change
    // the splitting; then back to the ANSI code page the program works in, keeping the real
    // form of a path the code page cannot hold.
    std::vector<FileArgument> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    LocalMemory owned(wide);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i) {
        FileArgument argument;
        if (!narrowedExactly(wide[i], argument.path))
            argument.realPath = fromWide(wide[i]);
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

namespace {

std::u16string realFileNameOnDisk(const std::u16string& path)
{
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(wideChars(path), &found));
    if (search)
        return fromWide(found.cFileName);
    std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::wstring shortcutPathForRealTarget(const std::string& folder, const std::u16string& target)
{
    std::u16string name = realFileNameOnDisk(target);
    std::size_t dot = name.rfind(u'.');
    std::u16string base = dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
    std::u16string wideFolder = widened(folder);
    auto numbered = [&](int n) {
        std::string number = n <= 1 ? "" : " (" + std::to_string(n) + ")";
        return std::wstring(wideChars(wideFolder + u"\\" + base + widened(number) + u".lnk"));
    };
    for (int n = 1; n < 1000; ++n) {
        std::wstring path = numbered(n);
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return path;
        std::wstring existing = shortcutTargetWide(path);
        if (!existing.empty() && lstrcmpiW(existing.c_str(), wideChars(target)) == 0)
            return path;
    }
    return numbered(1);
}

std::string fileNameOnDisk(const std::string& path)
{
    if (isDriveRoot(path))
        return driveRootName(path);
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path.c_str(), &found));
    if (search)
        return found.cFileName;
    std::string trimmed = path;
    while (trimmed.size() > 1 && findLastSeparator(trimmed) == trimmed.size() - 1)
        trimmed.pop_back();
    return lastComponent(trimmed);
}

std::string shortcutPathForTarget(const std::string& folder, const std::string& fileName,
                                  const std::string& target)
{
    std::string base = shortcutBaseName(fileName);
    // More names than a folder could sensibly hold are not tried: the first is replaced then.
    for (int n = 1; n < 1000; ++n) {
        std::string path = numberedShortcutPath(folder, base, n);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return path;
        std::string existing;
        if (readShortcut(path, existing) && samePath(existing, target))
            return path;
    }
    return numberedShortcutPath(folder, base, 1);
}

bool sendToRunningInstance(WORD command)
{
    HWND running = FindWindowA(nullptr, mainWindowTitle);
    if (!running || !IsWindow(running))
        return false;
    // The running instance shows its window in front; Windows lets a process that was not
    // started by the user's last input do that only when the foreground one allows it.
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    if (processId)
        AllowSetForegroundWindow(processId);
    SendMessageA(running, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

namespace {

// An instance that is ending has taken its window away but holds the mutex until its process is
// gone. A start in that moment waits for it rather than finding no one to hand over to and
// ending unseen. An instance that is starting holds the mutex for good: the wait runs out, and
// the start hands over to its window as before.
constexpr DWORD endingInstanceWaitMs = 5000;

bool takeOverFromEndingInstance(HANDLE mutex)
{
    if (FindWindowA(nullptr, mainWindowTitle))
        return false;
    DWORD waited = WaitForSingleObject(mutex, endingInstanceWaitMs);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

}  // namespace

bool LauncherApp::registerShortcutsFromCommandLine(const std::vector<FileArgument>& arguments)
{
    std::string folder = NowFolder(*profile_).folder();
    if (folder.empty()) {
        appMessageBox("標準フォルダーが設定されていません");
        return false;
    }
    std::vector<std::string> names;
    std::u16string realNames;
    bool anyReal = false;
    for (const FileArgument& argument : arguments) {
        names.push_back(fileNameOnDisk(argument.path));
        anyReal = anyReal || !argument.realPath.empty();
        realNames += (argument.realPath.empty() ? widened(names.back())
                                                : realFileNameOnDisk(argument.realPath)) +
                     u"\n";
    }
    // The question names the files as they are: a real name goes into a wide box.
    UINT questionFlags = MB_OKCANCEL | MB_ICONQUESTION;
    int answer = anyReal ? appMessageBoxWide(wideChars(realNames + widened(shortcutQuestion(
                                                                       {}, folder))),
                                             questionFlags)
                         : appMessageBox(shortcutQuestion(names, folder), questionFlags);
    if (answer != IDOK) {
        appMessageBox("ショートカット作成を中止しました。");
        return false;
    }
    for (const FileArgument& argument : arguments) {
        if (!argument.realPath.empty()) {
            std::wstring path = shortcutPathForRealTarget(folder, argument.realPath);
            if (!createShortcutWide(wideChars(argument.realPath), path)) {
                std::string error = lastErrorText();
                appMessageBoxWide(wideChars(widened(error + "\n")) + path, MB_OK | MB_ICONSTOP);
            }
            continue;
        }
        const std::string& target = argument.path;
        std::string path = shortcutPathForTarget(folder, fileNameOnDisk(target), target);
        if (!createShortcut(target, path, "")) {
            std::string error = lastErrorText();
            appMessageBox(error + "\n" + path, MB_OK | MB_ICONSTOP);
        }
    }
    sendToRunningInstance(IDM_MENU_UPDATE);
    return true;
}

int LauncherApp::run()
{
    app::setProfileRoot(app::loadString(IDS_COMPANY), app::moduleBaseName());
    profile_ = &app::profile();
    app::setDisplayName(app::loadString(IDS_DISPLAY_NAME));

    ComInitialization com;

    std::vector<FileArgument> arguments = commandLineArguments();
    if (!arguments.empty())
        registerShortcutsFromCommandLine(arguments);

    HANDLE mutex = CreateMutexA(nullptr, TRUE, singleInstanceMutexName);
    bool heldElsewhere = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    OwnedMutex singleInstance(mutex);
    if (!singleInstance) {
        appMessageBox("Cam't create mutex!");
        return 0;
    }
    if (heldElsewhere && !takeOverFromEndingInstance(mutex)) {
        if (arguments.empty())
            sendToRunningInstance(IDM_SHOW_FOLDER_SETTINGS);
        return 0;
    }

    std::unique_ptr<MainWindow> mainWindow;
    try {
        mainWindow = std::make_unique<MainWindow>(*profile_);
    } catch (const std::bad_alloc&) {
        appMessageBox("Can't init application!");
        return 0;
    }

    if (mainWindow->createModeless(nullptr)) {
        mainWindow->multiRun().create(mainWindow->hwnd());
        mainWindow->multiRun().runWakeupLists();
        HWND window = mainWindow->hwnd();
        SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) & ~WS_VISIBLE);
        mainWindow->runMessageLoop();
    } else {
        // Without its window the program has no icon and no hot key: ending silently would
        // leave the user guessing.
        appMessageBox("Can't init application!");
    }

    mainWindow->multiRun().destroyWindow();
    mainWindow->destroyWindow();
    app::setMainWindow(nullptr);
    // The windows go before COM and the mutex: their owners' destructors follow.
    mainWindow.reset();
    return 0;
}
