// Opening a chosen launcher entry through the shell: its default action, its properties with
// Ctrl (or the primary button) held, or with start parameters asked for first with Shift (or
// the secondary button) held. Every launch runs in the current launcher folder.
#include "app/main_window_win.h"

#include "launcher/keyboard_state_win.h"

#include "framework/message_box_win.h"
#include "framework/system_error_win.h"

#include <shellapi.h>

#include <string>

namespace {

// A shell launch has failed when its result is 32 or less.
bool launchFailed(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) <= 32;
}

}  // namespace

void MainWindow::launchEntry(unsigned id)
{
    if (id < launcherFirstId || id - launcherFirstId >= itemPaths.size())
        return;
    const std::string path = itemPaths[id - launcherFirstId];

    bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    int primary = swapped ? VK_RBUTTON : VK_LBUTTON;
    int secondary = swapped ? VK_LBUTTON : VK_RBUTTON;

    if (heldNow(VK_CONTROL) || heldNow(primary)) {
        HINSTANCE result = ShellExecuteA(nullptr, "properties", path.c_str(), nullptr,
                                         currentFolder.c_str(), SW_SHOWNORMAL);
        if (launchFailed(result))
            appMessageBox("ショートカット以外のプロパティは表示できません。");
        return;
    }

    if (heldNow(VK_SHIFT) || heldNow(secondary)) {
        paramPromptDialog.promptTitle = path;
        // A hot key during an open prompt can bring the menu back: that prompt is given up.
        if (paramPromptDialog.isOpen())
            paramPromptDialog.endDialog(IDCANCEL);
        if (paramPromptDialog.runModal(hwnd()) != IDOK)
            return;
    } else {
        paramPromptDialog.promptResult.clear();
    }

    HINSTANCE result = ShellExecuteA(nullptr, nullptr, path.c_str(),
                                     paramPromptDialog.promptResult.c_str(),
                                     currentFolder.c_str(), SW_SHOWDEFAULT);
    if (launchFailed(result)) {
        DWORD code = static_cast<DWORD>(reinterpret_cast<INT_PTR>(result));
        std::string text = systemErrorText(code);
        if (text.empty())
            text = "起動できませんでした。(エラー " + std::to_string(code) + ")";
        showMessageBox(hwnd(), text, "ShellExecute", MB_OK | MB_ICONSTOP);
    }
}
