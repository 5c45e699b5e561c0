#include "installer/running_launcher_win.h"

#include "installer/install_files_win.h"
#include "resources/resource.h"

namespace {

// The launcher's main window is found by its title, as its own second start finds it.
const char launcherWindowTitle[] = "Quintarel - Folder の 設定 -";

std::string programOf(HANDLE process)
{
    // QueryFullProcessImageNameA is there from Windows Vista on.
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        return "";
    return std::string(path, size);
}

}  // namespace

RunningLauncher runningLauncherOf(const std::string& launcherPath)
{
    RunningLauncher found;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, launcherWindowTitle)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        KernelHandle process(
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        if (!process)
            continue;
        std::string program = programOf(process.get());
        if (!program.empty() && sameFile(program, launcherPath)) {
            found.window = window;
            found.process = std::move(process);
            return found;
        }
    }
    return found;
}

bool endLauncher(const RunningLauncher& launcher, DWORD timeoutMs)
{
    if (!launcher.window || !launcher.process)
        return false;
    // Posted: a launcher busy with a dialog of its own must not hold the installer.
    PostMessageA(launcher.window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    return WaitForSingleObject(launcher.process.get(), timeoutMs) == WAIT_OBJECT_0;
}
