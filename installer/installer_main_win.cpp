// The setup program: one dialog, then the copies, the start of the installed launcher and its
// Startup and Send To shortcuts. It keeps no state; every run starts from the defaults.
#include "common/directory_win.h"
#include "common/shortcut_win.h"
#include "framework/handles_win.h"
#include "installer/desktop_user_win.h"
#include "installer/install_dialog_win.h"
#include "installer/install_paths.h"
#include "installer/installer_message_win.h"
#include "installer/shell_folders_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr int abandoned = -1;
constexpr int completed = 0;

std::string ownProgramPath()
{
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = '\0';
    return buffer;
}

// Copies the files and starts the installed launcher; the launcher's installed path, or the
// empty text when the launcher itself could not be copied.
std::string copyAndStart(const DesktopUser& user, const std::string& sourceFolder,
                         const std::string& ownFileName, const std::string& installFolder)
{
    std::string folder = installer::copyFolder(installFolder);
    // An existing folder is fine, and a folder that cannot be made shows in the copies.
    createDirectoryPath(folder);
    for (const installer::CopyStep& step :
         installer::copySteps(sourceFolder, ownFileName, folder)) {
        if (CopyFileA(step.source.c_str(), step.destination.c_str(), FALSE))
            continue;
        installerMessage(installer::copyFailureText(step.source, step.destination));
        if (step.required)
            return "";
    }
    std::string launcher = installer::launcherIn(folder);
    // A failed start of a normal run is not reported: the shortcuts still follow. An elevated
    // run that cannot hand the start to the user's shell says what to open instead.
    if (!user.start(launcher, folder) && user.elevated())
        installerMessage("管理者として実行されたため、Quintarel を起動しませんでした。\n" +
                         launcher + " を開いて起動してください。");
    return launcher;
}

// A failure here (no such folder, a path too long, the link not saved) is not reported.
void addShortcut(const DesktopUser& user, int csidl, const std::string& launcherTarget)
{
    std::string folder;
    if (!specialFolderPath(csidl, folder, user.folderToken()))
        return;
    createShortcut(launcherTarget, installer::shortcutIn(folder), "");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    std::string ownPath = ownProgramPath();
    std::string sourceFolder = installer::folderOf(ownPath);
    std::string ownFileName = installer::fileNameOf(ownPath);
    DesktopUser user;
    std::string localAppData;
    specialFolderPath(CSIDL_LOCAL_APPDATA, localAppData, user.folderToken());
    installer::InstallOptions options = installer::defaultInstallOptions(
        userProgramFilesFolder(user.folderToken()), localAppData);

    // Before the dialog rather than just before the shortcuts: its folder picker needs COM too.
    ComInitialization com;
    if (runInstallDialog(instance, options, ownFileName) == 0) {
        installerMessage("Install を中止します");
        return abandoned;
    }

    std::string launcherTarget = installer::launcherIn(sourceFolder);
    if (!options.skipCopy) {
        launcherTarget = copyAndStart(user, sourceFolder, ownFileName, options.installFolder);
        if (launcherTarget.empty())
            return abandoned;
    }
    if (options.addToStartup)
        addShortcut(user, CSIDL_STARTUP, launcherTarget);
    if (options.addToSendTo)
        addShortcut(user, CSIDL_SENDTO, launcherTarget);
    return completed;
}
