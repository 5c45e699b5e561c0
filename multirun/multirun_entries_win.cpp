// The entry list of the multiple-execution window: runEntries and the list control that shows
// it, drops, the parameter field and the arrow buttons.
#include "multirun/multirun_window_win.h"

#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "framework/controls_win.h"
#include "resources/resource.h"

#include <algorithm>

int MultiRunWindow::selectedEntry() const
{
    LRESULT selected = SendMessageA(item(IDC_RUN_LIST), LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= runEntries.size())
        return -1;
    return static_cast<int>(selected);
}

void MultiRunWindow::selectListLine(int index)
{
    SendMessageA(item(IDC_RUN_LIST), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool MultiRunWindow::insertEntryItem(int index, const RunEntry& entry)
{
    HWND list = item(IDC_RUN_LIST);
    LRESULT at = LB_ERR;
    if (entry.realPath.empty()) {
        at = SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(entry.entryText.c_str()));
    } else {
        std::u16string shown = entry.realPath + widened(entryParameterPart(entry));
        at = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(wideChars(shown)));
    }
    if (at == LB_ERR || at == LB_ERRSPACE)
        return false;
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at),
                 static_cast<LPARAM>(entry.pathLength));
    return true;
}

bool MultiRunWindow::addEntry(const RunEntry& entry)
{
    if (!insertEntryItem(-1, entry))
        return false;
    runEntries.push_back(entry);
    return true;
}

void MultiRunWindow::clearEntries()
{
    runEntries.clear();
    SendMessageA(item(IDC_RUN_LIST), LB_RESETCONTENT, 0, 0);
}

void MultiRunWindow::showEntries(int selection)
{
    HWND list = item(IDC_RUN_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // Room for all items at once: a list file may hold a great many entries.
    std::size_t bytes = 0;
    for (const RunEntry& entry : runEntries)
        bytes += entry.entryText.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, runEntries.size(), static_cast<LPARAM>(bytes));
    for (std::size_t i = 0; i < runEntries.size(); ++i) {
        if (!insertEntryItem(-1, runEntries[i])) {
            // What the list refuses is left out, so the entries stay what the list shows.
            runEntries.resize(i);
            break;
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    selectListLine(selection);
}

void MultiRunWindow::showParameters()
{
    // Setting the field's text raises the same notification as typing; it is not an edit.
    showingParameters = true;
    updateData(false);
    showingParameters = false;
}

bool MultiRunWindow::appendEntry(const std::string& path, const std::u16string& realPath)
{
    bool added = addEntry(realPath.empty() ? entryForPath(path) : entryForRealPath(path, realPath));
    showParameters();
    return added;
}

void MultiRunWindow::addDroppedFiles(HDROP drop)
{
    updateData(true);
    for (const DroppedPath& dropped : droppedRealPaths(drop)) {
        // A path the list file's fixed buffers cannot hold is left out.
        if (dropped.path.size() >= pathBufferSize || dropped.realPath.size() >= pathBufferSize)
            continue;
        addEntry(dropped.realPath.empty() ? entryForPath(dropped.path)
                                          : entryForRealPath(dropped.path, dropped.realPath));
    }
    showParameters();
}

void MultiRunWindow::onEntrySelected()
{
    int selected = selectedEntry();
    if (selected < 0)
        return;
    HWND field = item(IDC_RUN_PARAM);
    EnableWindow(field, TRUE);
    SetFocus(field);
    paramText = fieldParameters(runEntries[selected]);
    showParameters();
    SendMessageA(field, EM_SETSEL, paramText.size(), static_cast<LPARAM>(paramText.size()));
    updateListExtent();
}

void MultiRunWindow::onParametersEdited()
{
    if (showingParameters)
        return;
    int selected = selectedEntry();
    if (selected < 0)
        return;
    updateData(true);
    RunEntry edited = withFieldParameters(runEntries[selected], paramText);
    SendMessageA(item(IDC_RUN_LIST), LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    if (!insertEntryItem(selected, edited)) {
        runEntries.erase(runEntries.begin() + selected);
        return;
    }
    runEntries[selected] = edited;
    selectListLine(selected);
}

void MultiRunWindow::moveSelectedUp()
{
    int selected = selectedEntry();
    int moved = moveEntryUp(runEntries, selected);
    if (moved != selected)
        showEntries(moved);
}

void MultiRunWindow::moveSelectedDown()
{
    int selected = selectedEntry();
    int moved = moveEntryDown(runEntries, selected);
    if (moved != selected)
        showEntries(moved);
}

void MultiRunWindow::removeSelected()
{
    int selected = selectedEntry();
    if (selected < 0)
        return;
    int next = removeEntry(runEntries, selected);
    SendMessageA(item(IDC_RUN_LIST), LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    selectListLine(next);
    if (next < 0) {
        EnableWindow(item(IDC_RUN_PARAM), FALSE);
        return;
    }
    // The field follows the entry that is now selected rather than keeping the removed one's.
    paramText = fieldParameters(runEntries[next]);
    showParameters();
}

void MultiRunWindow::updateListExtent()
{
    ListBox(item(IDC_RUN_LIST)).fitExtentToLines(true);
}
