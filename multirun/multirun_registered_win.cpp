// The side panel of the multiple-execution window: the registered lists of the list folder,
// the lists marked to run at every start and their run, and the window's own hot key.
#include "multirun/multirun_window_win.h"

#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/application_win.h"
#include "framework/controls_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "multirun/list_file_io_win.h"
#include "resources/resource.h"
#include "settings/profile_names.h"

#include <commctrl.h>

namespace names = profile_names;

void MultiRunWindow::refreshRegisteredLists()
{
    registeredPaths.clear();
    HWND box = item(IDC_REGISTERED_LISTS);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    // Listed wide: the ANSI listing gives "cafe.sqx" for "café.sqx", which opens, runs and
    // marks another list of that name. Lists are opened and marked by their names in the code
    // page, so one whose name it cannot hold is left out, and a last line says so.
    WIN32_FIND_DATAW found;
    FindHandle search(
        FindFirstFileW(wideChars(widened(registeredListPattern(listFolder))), &found));
    int unheld = 0;
    bool more = static_cast<bool>(search);
    for (; more; more = FindNextFileW(search.get(), &found) != FALSE) {
        std::string name;
        if (!narrowedExactly(found.cFileName, name)) {
            ++unheld;
            continue;
        }
        LRESULT added = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE) {
            appMessageBox("Registed Files リストへの登録に失敗");
            return;
        }
        registeredPaths.push_back(registeredPath(listFolder, name));
    }
    // Below the lists, where no index of registeredPaths points.
    if (unheld > 0) {
        std::string note = "(表示できない名前 " + std::to_string(unheld) + " 件)";
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(note.c_str()));
    }
}

void MultiRunWindow::selectRegisteredList(const std::string& path)
{
    SendMessageA(item(IDC_REGISTERED_LISTS), LB_SETCURSEL,
                 static_cast<WPARAM>(findRegisteredList(registeredPaths, path, diskPathKey)), 0);
    showWakeupMark();
}

int MultiRunWindow::selectedRegisteredList() const
{
    LRESULT selected = SendMessageA(item(IDC_REGISTERED_LISTS), LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= registeredPaths.size())
        return -1;
    return static_cast<int>(selected);
}

void MultiRunWindow::showWakeupMark()
{
    int selected = selectedRegisteredList();
    bool marked = selected >= 0 && wakeupLists.contains(registeredPaths[static_cast<std::size_t>(selected)]);
    CheckDlgButton(hwnd(), IDC_RUN_ON_WAKEUP, marked ? BST_CHECKED : BST_UNCHECKED);
}

void MultiRunWindow::onRunOnWakeupClicked()
{
    // Only a registered list can be marked; without one selected the click stores nothing,
    // and the box goes back to saying so.
    int selected = selectedRegisteredList();
    if (selected >= 0) {
        const std::string& path = registeredPaths[static_cast<std::size_t>(selected)];
        if (IsDlgButtonChecked(hwnd(), IDC_RUN_ON_WAKEUP) == BST_CHECKED)
            wakeupLists.add(profile_, path);
        else
            wakeupLists.remove(profile_, path);
    }
    showWakeupMark();
}

void MultiRunWindow::runWakeupLists()
{
    // Marks of lists not found at this start stay stored and run again once they are found.
    // A copy: the check box may change the marks while a list runs.
    const std::vector<std::string> lists = wakeupLists.toRun(registeredPaths);
    for (const std::string& path : lists) {
        if (exitRequested)
            return;
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        loadListFile(path);
        selectRegisteredList(path);
        runList();
    }
}

void MultiRunWindow::setMultiRunHotkey()
{
    HotkeyWord word = hotkeyFieldValue(item(IDC_RUN_HOTKEY));
    // An unchanged key is registered again when it is not registered now.
    if (word == multiRunHotkey && (word == 0 || hotkeys.isRegistered(mainHotkeyId)))
        return;
    if (!hotkeys.registerKey(mainHotkeyId, word))
        reportHotkeyFailureInAppBox(pathBufferSize);
    profile_.writeInt(names::multipleLaunchSection, names::hotkeyValue, word);
    multiRunHotkey = word;
}

void MultiRunWindow::deleteMultiRunHotkey()
{
    multiRunHotkey = 0;
    hotkeys.withdraw(mainHotkeyId);
    setHotkeyFieldValue(item(IDC_RUN_HOTKEY), 0);
    profile_.deleteValue(names::multipleLaunchSection, names::hotkeyValue);
}
