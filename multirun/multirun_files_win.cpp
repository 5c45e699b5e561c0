// List files of the multiple-execution window: saving and loading the run list, and the Open
// and Save commands with their common file dialogs in the list folder.
#include "multirun/multirun_window_win.h"

#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "multirun/list_caption.h"
#include "multirun/list_file_io_win.h"
#include "resources/resource.h"

#include <commdlg.h>

#include <new>

namespace {

const char openFailedMessage[] = "ファイルオープンに失敗しました";
const char notListFileMessage[] = "複数実行ファイルの保存ファイルではありません";
const char noEntryListMessage[] = "実行ファイルリストがありません";

// Makes a folder the current directory for its lifetime, so that a file dialog opens there.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& folder)
    {
        DWORD length = GetCurrentDirectoryA(pathBufferSize, previous_);
        if (length == 0 || length >= pathBufferSize)
            previous_[0] = '\0';
        SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentDirectoryScope()
    {
        if (previous_[0] != '\0')
            SetCurrentDirectoryA(previous_);
    }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    char previous_[pathBufferSize] = {};
};

}  // namespace

bool MultiRunWindow::refuseListWithRealNames()
{
    int entry = firstEntryWithRealPath(runEntries);
    if (entry < 0)
        return false;
    // The list file holds ANSI texts: such an entry would come back as "?" and never run.
    std::u16string text = widened("「") + runEntries[static_cast<std::size_t>(entry)].realPath +
                          widened("」\n\nは名前にこのシステムの文字コードにない文字を含むため、"
                                  "リストを保存できません。\nリストから外してから保存してください。");
    appMessageBoxWide(wideChars(text), MB_OK | MB_ICONSTOP);
    return true;
}

bool MultiRunWindow::saveListFile(const std::string& path)
{
    if (runEntries.empty() || refuseListWithRealNames())
        return false;
    if (!writeFileReplacing(path, formatListFile(runEntries, orderedRunChecked()))) {
        appMessageBox(openFailedMessage);
        return false;
    }
    showListName(listDisplayName(path));
    return true;
}

bool MultiRunWindow::loadListFile(const std::string& path)
{
    clearEntries();
    ListFileContent content;
    try {
        if (!readListFileFrom(path, content)) {
            appMessageBox(openFailedMessage);
            return false;
        }
    } catch (const std::bad_alloc&) {
        // A file too large to hold: told like one that cannot be read at all.
        appMessageBox(openFailedMessage);
        return false;
    }
    if (content.orderedRun)
        CheckDlgButton(hwnd(), IDC_RUN_ORDERED, *content.orderedRun != 0 ? BST_CHECKED
                                                                        : BST_UNCHECKED);
    if (content.status == ListFileStatus::notListFile) {
        appMessageBox(notListFileMessage);
        return false;
    }
    if (content.status == ListFileStatus::noEntryList) {
        appMessageBox(noEntryListMessage);
        return false;
    }
    runEntries = std::move(content.entries);
    showEntries(-1);
    updateListExtent();
    showListName(listDisplayName(path));
    return true;
}

std::string MultiRunWindow::askListFile(bool save)
{
    // The selected registered list by its full path: the dialog opens in the folder it used
    // last, where a bare name would name another folder's list of that name.
    char file[pathBufferSize] = {};
    int selected = selectedRegisteredList();
    if (selected >= 0) {
        std::string path = registeredPaths[static_cast<std::size_t>(selected)];
        toBackslashes(path);
        if (path.size() < pathBufferSize)
            path.copy(file, path.size());
    }
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = hwnd();
    dialog.lpstrFilter = "Quintarel Sequential Execute File(*sqx)\0*.sqx\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = pathBufferSize;
    dialog.lpstrInitialDir = listFolder.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    // The name comes filled in from the selected list: Ctrl+S, Enter must not replace it
    // unasked.
    if (save)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    dialog.lpstrDefExt = "sqx";
    dialog.lpstrTitle = save ? "保存ファイル名" : "読み込みファイル名";
    BOOL confirmed = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    return confirmed ? std::string(file) : std::string();
}

void MultiRunWindow::saveListCommand()
{
    if (refuseListWithRealNames())
        return;
    CurrentDirectoryScope inListFolder(listFolder);
    std::string path = askListFile(true);
    if (path.empty())
        return;
    // A checked box marks the saved list too, when it is one of the registered lists: a mark
    // outside them would never run.
    bool mark = IsDlgButtonChecked(hwnd(), IDC_RUN_ON_WAKEUP) == BST_CHECKED;
    saveListFile(path);
    refreshRegisteredLists();
    selectRegisteredList(path);
    int saved = selectedRegisteredList();
    if (mark && saved >= 0)
        wakeupLists.add(profile_, registeredPaths[static_cast<std::size_t>(saved)]);
    showWakeupMark();
}

void MultiRunWindow::openListCommand()
{
    CurrentDirectoryScope inListFolder(listFolder);
    std::string path = askListFile(false);
    if (path.empty())
        return;
    loadListFile(path);
    selectRegisteredList(path);
}
