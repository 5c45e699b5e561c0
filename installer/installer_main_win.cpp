// The setup program: one dialog, then the copies, the start of the installed launcher, its
// Startup and Send To shortcuts and its entry in the system's list of programs. With
// "/uninstall" it takes all of that away again.
#include "common/directory_win.h"
#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "framework/handles_win.h"
#include "framework/system_error_win.h"
#include "framework/system_library_win.h"
#include "installer/desktop_user_win.h"
#include "installer/install_dialog_win.h"
#include "installer/install_files_win.h"
#include "installer/install_folder_win.h"
#include "installer/install_paths.h"
#include "installer/installer_message_win.h"
#include "installer/running_launcher_win.h"
#include "installer/shell_folders_win.h"
#include "installer/uninstall_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr int abandoned = -1;
constexpr int completed = 0;
// How long a launcher asked to exit may take to save its settings and end.
constexpr DWORD launcherEndMs = 30000;

std::string ownProgramPath()
{
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = '\0';
    return buffer;
}

bool uninstallRequested()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    LocalMemory owned(arguments);
    for (int i = 1; arguments && i < count; ++i)
        if (lstrcmpiW(arguments[i], L"/uninstall") == 0)
            return true;
    return false;
}

// A launcher running from the file about to be replaced is asked to end, on the user's yes.
// False when the run is to stop: the user said no, or the launcher did not end.
bool endRunningLauncher(const std::string& source, const std::string& installed, bool& wasRunning)
{
    wasRunning = false;
    // The same file stays in place: a running launcher of it may go on running.
    if (sameFile(source, installed))
        return true;
    RunningLauncher running = runningLauncherOf(installed);
    if (!running.window)
        return true;
    if (installerMessage(installer::runningLauncherQuestion(installed), nullptr, MB_YESNO) !=
        IDYES) {
        installerMessage("Install を中止します");
        return false;
    }
    if (!endLauncher(running, launcherEndMs)) {
        installerMessage(installer::launcherDidNotEndText(installed));
        return false;
    }
    wasRunning = true;
    return true;
}

// Copies the files and starts the installed launcher; the launcher's installed path, or the
// empty text when the launcher itself could not be put in place, and then the installation is
// as it was. The launcher goes first, copied to a new name beside it and then put in place.
std::string copyAndStart(const DesktopUser& user, const std::string& sourceFolder,
                         const std::string& ownFileName, const std::string& installFolder)
{
    std::string folder = installer::copyFolder(installFolder);
    // An existing folder is fine, and a folder that cannot be made shows in the copies.
    createDirectoryPath(folder);
    std::vector<installer::CopyStep> steps =
        installer::copySteps(sourceFolder, ownFileName, folder);
    const installer::CopyStep& launcherStep = steps.back();
    bool wasRunning = false;
    if (!endRunningLauncher(launcherStep.source, launcherStep.destination, wasRunning))
        return "";
    bool launcherInPlace = sameFile(launcherStep.source, launcherStep.destination);
    for (const installer::CopyStep& step : {steps.back(), steps[0], steps[1]}) {
        DWORD error = replaceFile(step.source, step.destination);
        if (error == ERROR_SUCCESS)
            continue;
        installerMessage(
            installer::copyFailureText(step.source, step.destination, systemErrorText(error)));
        if (step.required)
            return "";
    }
    std::string launcher = installer::launcherIn(folder);
    // A launcher left running from its own file needs no second start: that would only open
    // its settings window.
    if (launcherInPlace && runningLauncherOf(launcher).window)
        return launcher;
    // A failed start is not reported: the shortcuts still follow.
    user.start(launcher, folder);
    return launcher;
}

// A failure here (no such folder, a path too long, the link not saved) is not reported.
void addShortcut(int csidl, const std::string& launcherTarget)
{
    std::string folder;
    if (!specialFolderPath(csidl, folder))
        return;
    createShortcut(launcherTarget, installer::shortcutIn(folder), "");
}

// An elevated start goes on only where the desktop's user is this very account.
bool mayGoOnAsThisUser(const DesktopUser& user, const std::string& ownPath,
                       const std::string& sourceFolder, bool uninstall, int& exitCode)
{
    switch (user.action()) {
    case installer::ElevatedStart::install:
        return true;
    case installer::ElevatedStart::restartThroughShell:
        if (user.restartThroughShell(ownPath, uninstall ? installer::uninstallSwitch : "",
                                     sourceFolder)) {
            exitCode = completed;
            return false;
        }
        installerMessage(installer::restartFailedText(ownPath));
        break;
    case installer::ElevatedStart::refuse:
        installerMessage(installer::elevatedRefusalText());
        break;
    }
    exitCode = abandoned;
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    restrictDllSearchToSystemFolder();
    InitCommonControls();
    std::string ownPath = ownProgramPath();
    std::string sourceFolder = installer::folderOf(ownPath);
    std::string ownFileName = installer::fileNameOf(ownPath);
    bool uninstall = uninstallRequested();
    // Before the dialog rather than just before the shortcuts: its folder picker and the
    // desktop's shell need COM too.
    ComInitialization com;
    DesktopUser user;
    int exitCode = completed;
    if (!mayGoOnAsThisUser(user, ownPath, sourceFolder, uninstall, exitCode))
        return exitCode;
    if (uninstall)
        return runUninstall(ownPath);

    std::string localAppData;
    specialFolderPath(CSIDL_LOCAL_APPDATA, localAppData);
    installer::InstallOptions options =
        installer::defaultInstallOptions(userProgramFilesFolder(), localAppData);

    std::vector<std::string> madeFolders;
    if (runInstallDialog(instance, options, ownFileName, madeFolders) == 0) {
        installerMessage("Install を中止します");
        return abandoned;
    }

    std::string launcherTarget = installer::launcherIn(sourceFolder);
    if (!options.skipCopy) {
        launcherTarget = copyAndStart(user, sourceFolder, ownFileName, options.installFolder);
        if (launcherTarget.empty()) {
            removeMadeFolders(madeFolders);
            return abandoned;
        }
    }
    if (options.addToStartup)
        addShortcut(CSIDL_STARTUP, launcherTarget);
    if (options.addToSendTo)
        addShortcut(CSIDL_SENDTO, launcherTarget);
    std::string installed;
    parentDirectory(launcherTarget, installed);
    registerInstallation(installed, ownFileName);
    return completed;
}
