// The side panel of the multiple-execution window: the registered lists of the list folder,
// the lists marked to run at every start and their run, and the window's own hot key.
#include "multirun/multirun_window_win.h"

#include "app/main_window_win.h"
#include "common/path_text.h"
#include "dialogs/hotkeys_win.h"
#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "resources/resource.h"
#include "settings/profile_names.h"

#include <commctrl.h>

namespace names = profile_names;

void MultiRunWindow::refreshRegisteredLists()
{
    registeredPaths.clear();
    HWND box = item(IDC_REGISTERED_LISTS);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(registeredListPattern(listFolder).c_str(), &found));
    if (!search)
        return;
    do {
        LRESULT added = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
        if (added == LB_ERR || added == LB_ERRSPACE) {
            appMessageBox("Registed Files リストへの登録に失敗");
            return;
        }
        registeredPaths.push_back(registeredPath(listFolder, found.cFileName));
    } while (FindNextFileA(search.get(), &found));
}

void MultiRunWindow::selectRegisteredList(const std::string& path)
{
    SendMessageA(item(IDC_REGISTERED_LISTS), LB_SETCURSEL,
                 static_cast<WPARAM>(findRegisteredList(registeredPaths, path)), 0);
}

void MultiRunWindow::onRunOnWakeupClicked()
{
    bool checked = IsDlgButtonChecked(hwnd(), IDC_RUN_ON_WAKEUP) == BST_CHECKED;
    LRESULT selected = SendMessageA(item(IDC_REGISTERED_LISTS), LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= registeredPaths.size())
        return;
    std::string path = registeredPaths[static_cast<std::size_t>(selected)];
    if (checked)
        wakeupLists.add(app::profile(), path);
    else
        wakeupLists.remove(app::profile(), path);
}

void MultiRunWindow::runWakeupLists()
{
    // A copy: the check box may change the marks while a list runs.
    const std::vector<std::string> lists = wakeupLists.paths();
    for (const std::string& path : lists) {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        loadListFile(path);
        selectRegisteredList(path);
        runList();
    }
    if (!lists.empty())
        CheckDlgButton(hwnd(), IDC_RUN_ON_WAKEUP, BST_CHECKED);
}

void MultiRunWindow::setMultiRunHotkey()
{
    HotkeyWord word =
        static_cast<HotkeyWord>(SendMessageA(item(IDC_RUN_HOTKEY), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    if (word == multiRunHotkey)
        return;
    if (!registerHotkey(hwnd(), word, mainHotkeyId))
        reportHotkeyFailureInAppBox(pathBufferSize);
    app::profile().writeInt(names::multipleLaunchSection, names::hotkeyValue, word);
    multiRunHotkey = word;
}

void MultiRunWindow::deleteMultiRunHotkey()
{
    multiRunHotkey = 0;
    unregisterHotkey(hwnd(), mainHotkeyId);
    SendMessageA(item(IDC_RUN_HOTKEY), HKM_SETHOTKEY, 0, 0);
    app::profile().deleteValue(names::multipleLaunchSection, names::hotkeyValue);
}
