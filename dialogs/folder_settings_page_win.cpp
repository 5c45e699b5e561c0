#include "dialogs/folder_settings_page_win.h"

#include "common/directory_win.h"
#include "common/folder_browser_win.h"
#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "dialogs/detail_settings_win.h"
#include "dialogs/hotkeys_win.h"
#include "framework/application_win.h"
#include "framework/controls_win.h"
#include "framework/data_exchange_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "resources/resource.h"
#include "settings/now_folder.h"
#include "settings/stored_settings.h"

namespace {

const char chooseFolderMessage[] = "フォルダーを選んでください";

}  // namespace

FolderSettingsPage::FolderSettingsPage(Dialog& window, NowFolder& nowFolder,
                                       FolderList& folders, StoredSettings& settings,
                                       HotkeyRegistrations& hotkeys, RebuildRequests& rebuilds)
    : WindowPart(window), nowFolder_(nowFolder), folders_(folders), settings_(settings),
      hotkeys_(hotkeys), rebuilds_(rebuilds)
{
    folders_.addListener(*this);
}

WindowPart::MessageMap FolderSettingsPage::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDM_SHOW_FOLDER_SETTINGS, &FolderSettingsPage::show),
        command(IDC_FOLDER_ADD, &FolderSettingsPage::addFolderFromBrowser),
        command(IDC_FOLDER_DELETE, &FolderSettingsPage::deleteSelectedFolder),
        command(IDC_FOLDER_DETAIL, &FolderSettingsPage::editFolderSettings),
        command(IDC_FOLDER_LIST, &FolderSettingsPage::editFolderSettings, LBN_DBLCLK),
        command(IDC_FOLDER_STANDARD, &FolderSettingsPage::revertFolderToStandard),
        command(IDC_CURRENT_FOLDER, &FolderSettingsPage::undoTypingInCurrentFolder, EN_CHANGE),
        // Done and Cancel are the dialog's OK and Cancel, by button, Enter or Escape.
        command(IDOK, &FolderSettingsPage::closeWithDone),
        command(IDOK, &FolderSettingsPage::closeWithDone, 1),
        command(IDCANCEL, &FolderSettingsPage::closeWithCancel),
        command(IDCANCEL, &FolderSettingsPage::closeWithCancel, 1),
        message(WM_DROPFILES, &FolderSettingsPage::takeDrop),
    };
    return mapOf(entries);
}

// ---- the current folder ----

void FolderSettingsPage::start()
{
    restoreCurrentFolder();
    if (!currentFolder_.empty() || folders_.storedCount() != 0)
        return;
    PathParts program = splitPath(app::modulePath());
    std::string folder = makePath(program.drive, program.directory, "app", "");
    createDirectoryPath(folder);
    currentFolder_ = folder;
    showCurrentFolder();
    addFolder(currentFolder_);
    applyCurrentFolder();
}

void FolderSettingsPage::restoreCurrentFolder()
{
    currentFolder_ = nowFolder_.folder();
    showCurrentFolder();
}

void FolderSettingsPage::showCurrentFolder()
{
    DataExchange exchange(window(), false);
    exchange.text(IDC_CURRENT_FOLDER, currentFolder_);
}

void FolderSettingsPage::readCurrentFolderBox()
{
    DataExchange exchange(window(), true);
    exchange.text(IDC_CURRENT_FOLDER, currentFolder_);
}

void FolderSettingsPage::switchTo(int index)
{
    if (!folders_.isIndex(index))
        return;
    currentFolder_ = folders_.at(index);
    showCurrentFolder();
    if (!applyCurrentFolder())
        restoreCurrentFolder();
    rebuilds_.requestRebuild(RebuildReason::folderSwitch);
}

bool FolderSettingsPage::applyCurrentFolder()
{
    readCurrentFolderBox();
    // The attributes, not a search for entries: an empty drive root (a fresh memory stick) has
    // no entry at all, not even ".".
    DWORD attributes = GetFileAttributesA(currentFolder_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetLastError(ERROR_DIRECTORY);
        std::string text = lastErrorText() + "\n対象のフォルダーは変更されません";
        appMessageBox(text, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!nowFolder_.storeFolder(currentFolder_))
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
    return true;
}

void FolderSettingsPage::undoTypingInCurrentFolder()
{
    // Whatever is typed is undone at once: the box always shows the current folder. Setting
    // the text raises this notification again, which then finds nothing to undo.
    if (window().itemText(IDC_CURRENT_FOLDER) != currentFolder_)
        showCurrentFolder();
}

// ---- the folder list ----

void FolderSettingsPage::addFolder(const std::string& path)
{
    if (!folders_.add(path))
        appMessageBox(folderListFullMessage, MB_OK | MB_ICONINFORMATION);
}

void FolderSettingsPage::deleteFolder(int index)
{
    if (!folders_.isIndex(index))
        return;
    // Another line of the list may name the same folder: its settings stay while it does.
    if (!folders_.listedElsewhere(folders_.at(index), index))
        revertToStandard(index);
    readCurrentFolderBox();
    // Folder hot key ids are list indices: every later folder's id changes with the removal.
    hotkeys_.withdrawFolderKeys();
    folders_.remove(index);
    hotkeys_.registerFolderKeys(settings_.chain(), folders_.paths());

    ListBox list(window().item(IDC_FOLDER_LIST));
    int remaining = static_cast<int>(folders_.size());
    if (remaining == 0) {
        list.select(-1);
        EnableWindow(window().item(IDC_FOLDER_DELETE), FALSE);
    } else {
        list.select(index < remaining ? index : remaining - 1);
    }
    showCurrentFolder();
}

MessageResult FolderSettingsPage::takeDrop(WPARAM wParam, LPARAM)
{
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    dropFolders(drop);
    fitFolderListExtent();
    DragFinish(drop);
    return MessageResult::of(0);
}

void FolderSettingsPage::dropFolders(HDROP drop)
{
    DropReport report;
    std::u16string unheld;
    for (const DroppedPath& dropped : droppedRealPaths(drop)) {
        if (!dropped.realPath.empty()) {
            unheld += dropped.realPath + u"\n";
            continue;
        }
        const std::string& path = dropped.path;
        if (DropReport::isTooLong(path)) {
            report.addTooLong(path);
            continue;
        }
        // The attributes answer for a drive root too, where a file search finds no entry.
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            addFolder(path);
        else
            report.addNotFolder(path);
    }
    showCurrentFolder();
    if (!report.empty())
        appMessageBox(report.text(), MB_OK | MB_ICONEXCLAMATION);
    if (!unheld.empty())
        refuseUnheldFolders(unheld);
}

void FolderSettingsPage::refuseUnheldFolders(const std::u16string& folders)
{
    // The folder list is stored in the code page: such a folder would be stored with "?" and
    // never found again.
    appMessageBoxWide(wideChars(folders + widened("\nは名前にこのシステムの文字コードにない文字を"
                                                  "含むため、ランチャーフォルダーにできません。")),
                      MB_OK | MB_ICONEXCLAMATION);
}

void FolderSettingsPage::folderAppended(const std::string& path)
{
    ListBox list(window().item(IDC_FOLDER_LIST));
    if (!list.handle())
        return;
    list.add(path);
    list.widenExtentFor(path);
}

void FolderSettingsPage::folderRemoved(int index, int)
{
    ListBox list(window().item(IDC_FOLDER_LIST));
    list.remove(index);
    list.fitExtentToLines();
}

void FolderSettingsPage::folderListReloaded()
{
    ListBox list(window().item(IDC_FOLDER_LIST));
    if (list.handle()) {
        list.clear();
        for (const std::string& path : folders_.paths())
            list.add(folderListLine(path, settings_.chain().findFolderSettings(path) != nullptr));
        list.fitExtentToLines();
    }
    showCurrentFolder();
}

void FolderSettingsPage::fitFolderListExtent()
{
    ListBox(window().item(IDC_FOLDER_LIST)).fitExtentToLines(true);
}

int FolderSettingsPage::selectedFolder() const
{
    int selection = ListBox(window().item(IDC_FOLDER_LIST)).selection();
    return folders_.isIndex(selection) ? selection : -1;
}

void FolderSettingsPage::addFolderFromBrowser()
{
    readCurrentFolderBox();
    std::string chosen;
    std::u16string unheld;
    browseForFolder(hwnd(), app::loadString(IDS_BROWSE_TITLE), 0, currentFolder_, chosen,
                    &unheld);
    if (!unheld.empty())
        refuseUnheldFolders(unheld + u"\n");
    addFolder(chosen);
    fitFolderListExtent();
    EnableWindow(window().item(IDC_FOLDER_DELETE), TRUE);
    showCurrentFolder();
}

void FolderSettingsPage::deleteSelectedFolder()
{
    int selection = ListBox(window().item(IDC_FOLDER_LIST)).selection();
    if (selection >= 0)
        deleteFolder(selection);
}

// ---- a folder's own settings ----

void FolderSettingsPage::editFolderSettings()
{
    readCurrentFolderBox();
    int selection = selectedFolder();
    if (selection < 0) {
        appMessageBox(chooseFolderMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    SettingsChain& chain = settings_.chain();
    std::string path = folders_.at(selection);
    LauncherSettings* own = chain.findFolderSettings(path);

    DetailSettingsDialog dialog;
    dialog.values = detailValuesOf(own ? *own : chain.standard());
    dialog.isFolderSpecific = true;
    dialog.folderName = path;
    dialog.hotkeys = &hotkeys_;
    dialog.hotkeyId = selection;
    if (dialog.runModal(hwnd()) != IDOK)
        return;

    if (own) {
        handBack(dialog.values, *own);
    } else {
        LauncherSettings set;
        handBack(dialog.values, set);
        set.Folder = path;
        bool full = chain.folderSetCount() >= SettingsChain::maxFolderSets;
        if (!chain.addFolderSettings(set) && !full)
            appMessageBox("メモリ確保に失敗しました", MB_OK | MB_ICONINFORMATION);
    }
    followSettingsChange(path);
}

void FolderSettingsPage::revertFolderToStandard()
{
    int selection = selectedFolder();
    if (selection < 0) {
        appMessageBox(chooseFolderMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    revertToStandard(selection);
}

void FolderSettingsPage::revertToStandard(int index)
{
    std::string path = folders_.at(index);
    settings_.chain().removeFolderSettings(path);
    followSettingsChange(path);
}

void FolderSettingsPage::followSettingsChange(const std::string& path)
{
    rebuilds_.requestRebuild(path == currentFolder_ ? RebuildReason::settingChanged
                                                    : RebuildReason::folderListChanged);
}

// ---- the window ----

void FolderSettingsPage::show()
{
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void FolderSettingsPage::closeWithDone()
{
    if (!applyCurrentFolder()) {
        restoreCurrentFolder();
        return;
    }
    rebuilds_.requestRebuild(RebuildReason::folderSwitch);
    ShowWindow(hwnd(), SW_HIDE);
    settings_.save();
}

void FolderSettingsPage::closeWithCancel()
{
    restoreCurrentFolder();
    rebuilds_.requestRebuild(RebuildReason::folderListChanged);
    ShowWindow(hwnd(), SW_HIDE);
    settings_.save();
}
