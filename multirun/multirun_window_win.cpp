#include "multirun/multirun_window_win.h"

#include "resources/resource.h"

#include <vector>

MultiRunWindow::MultiRunWindow() : Dialog(IDD_MULTI_RUN) {}

bool MultiRunWindow::create(HWND owner)
{
    return createModeless(owner);
}

BOOL MultiRunWindow::onInitDialog()
{
    Dialog::onInitDialog();
    return TRUE;
}

void MultiRunWindow::showWithoutActivating()
{
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

bool MultiRunWindow::appendEntry(const std::string& path)
{
    HWND list = item(IDC_RUN_LIST);
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE)
        return false;
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(path.size()));
    updateData(false);
    return true;
}

std::vector<RunEntry> MultiRunWindow::entries() const
{
    std::vector<RunEntry> result;
    HWND list = item(IDC_RUN_LIST);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0)
            continue;
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(buffer.data()));
        RunEntry entry;
        entry.entryText = buffer.data();
        entry.pathLength = static_cast<std::int32_t>(
            SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        result.push_back(entry);
    }
    return result;
}

void MultiRunWindow::runWakeupLists() {}
