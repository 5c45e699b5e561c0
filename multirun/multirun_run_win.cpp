// The run of the multiple-execution window: every entry started through the shell in turn,
// waiting for each to end when "整列実行" is checked, with the window kept alive by a nested
// message loop that handles one message per 100 ms. And the abort that ends it.
#include "multirun/multirun_window_win.h"

#include "common/shortcut_win.h"
#include "framework/message_box_win.h"
#include "multirun/run_parameters.h"
#include "resources/resource.h"

namespace {

constexpr DWORD waitSliceMs = 100;

const int runControls[] = {IDOK, IDC_RUN_UP, IDC_RUN_DOWN, IDC_RUN_REMOVE, IDC_RUN_PARAM,
                           IDC_RUN_ORDERED};

struct StartRequest {
    std::string file;
    std::string parameters;
};

// A shortcut starts its target with the shortcut's arguments before the entry's own. One that
// cannot be read, or that names no file, is handed to the shell as it is, which then says
// what is wrong with it.
StartRequest startRequestFor(const RunEntry& entry)
{
    StartRequest request{entryPath(entry), {}};
    std::string shortcutArguments;
    if (isShortcutPath(request.file)) {
        std::string target;
        if (readShortcut(request.file, target, &shortcutArguments) && !target.empty())
            request.file = target;
        else
            shortcutArguments.clear();
    }
    request.parameters = runParameters(shortcutArguments, entry);
    return request;
}

}  // namespace

void MultiRunWindow::setRunControlsEnabled(bool enabled)
{
    for (int id : runControls) {
        // The parameter field comes back only with the next selection.
        if (enabled && id == IDC_RUN_PARAM)
            continue;
        EnableWindow(item(id), enabled ? TRUE : FALSE);
    }
}

bool MultiRunWindow::takeOneMessage()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return true;
    if (message.message == WM_QUIT) {
        // The loop that ends the program must still see it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return !abortRequested;
}

bool MultiRunWindow::waitForProcess(HANDLE process)
{
    for (;;) {
        DWORD result = WaitForSingleObject(process, waitSliceMs);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_TIMEOUT) {
            appMessageBox("プロセスの終了待ちに失敗");
            return true;
        }
        if (!takeOneMessage())
            return false;
    }
}

bool MultiRunWindow::startEntry(const RunEntry& entry, bool ordered)
{
    StartRequest request = startRequestFor(entry);
    SHELLEXECUTEINFOA launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_NOCLOSEPROCESS;
    launch.lpFile = request.file.c_str();
    launch.lpParameters = request.parameters.c_str();
    launch.nShow = SW_SHOWDEFAULT;
    if (!ShellExecuteExA(&launch))
        return true;
    KernelHandle process(launch.hProcess);
    if (!ordered)
        return true;
    return waitForProcess(process.get());
}

void MultiRunWindow::runList()
{
    // A run is never started inside another: its controls are disabled, but a command can
    // still be sent to the window.
    if (running)
        return;
    if (GetFocus() == item(IDC_RUN_HOTKEY)) {
        setMultiRunHotkey();
        return;
    }
    // The run reads its own copy: opening a list, a drop or the abort change runEntries while
    // the run goes on, and must not change what it reads.
    const RunList list = runEntries;
    bool ordered = orderedRunChecked();
    setRunControlsEnabled(false);
    running = true;
    abortRequested = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i < runEntries.size())
            selectEntry(static_cast<int>(i));
        if (!takeOneMessage())
            break;
        if (!startEntry(list[i], ordered))
            break;
    }
    endRun();
}

void MultiRunWindow::endRun()
{
    running = false;
    abortRequested = false;
    setRunControlsEnabled(true);
    if (!keepListAfterRun) {
        clearEntries();
        showListName("");
    }
    if (!keepWindowAfterRun)
        ShowWindow(hwnd(), SW_HIDE);
    showParameters();
}

void MultiRunWindow::abortRun()
{
    ShowWindow(hwnd(), SW_HIDE);
    clearEntries();
    showListName("");
    EnableWindow(item(IDC_RUN_PARAM), FALSE);
    abortRequested = true;
}
