// When MainWindow registers and withdraws its hot keys: the folder hot keys under their list
// indices, and the launcher hot key chosen in its dialog.
#include "app/main_window_win.h"

#include "dialogs/hotkey_dialog_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "settings/profile_names.h"

namespace names = profile_names;

namespace {

// One dialog serves the whole run, so a second command while it is open finds it.
HotkeyDialog& launcherHotkeyDialog()
{
    static HotkeyDialog dialog;
    return dialog;
}

}  // namespace

void MainWindow::registerFolderHotkeys()
{
    settingsChain.forEachFolderSet([this](const LauncherSettings& set) {
        for (std::size_t i = 0; i < folderPaths.size(); ++i) {
            if (folderPaths[i] != set.Folder)
                continue;
            if (set.HoyKey != 0 && !registerHotkey(hwnd(), set.HoyKey, static_cast<int>(i)))
                reportHotkeyFailure(hwnd(), set.Folder);
            break;
        }
    });
}

void MainWindow::unregisterAllHotkeys()
{
    if (!hwnd())
        return;
    for (std::size_t i = 0; i < folderPaths.size(); ++i)
        unregisterHotkey(hwnd(), static_cast<int>(i));
}

void MainWindow::editLauncherHotkey()
{
    HotkeyDialog& dialog = launcherHotkeyDialog();
    if (dialog.isOpen()) {
        SetForegroundWindow(dialog.hwnd());
        return;
    }
    dialog.value = launcherHotkey;
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    if (dialog.value == 0) {
        unregisterHotkey(hwnd(), mainHotkeyId);
    } else if (dialog.value != launcherHotkey) {
        if (!registerHotkey(hwnd(), dialog.value, mainHotkeyId))
            reportHotkeyFailureInAppBox();
    }
    launcherHotkey = dialog.value;
    app::profile().writeInt(names::nowFolderSection, names::hotkeyValue, launcherHotkey);
}
