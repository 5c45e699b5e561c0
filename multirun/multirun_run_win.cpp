// The run of the multiple-execution window: every entry started through the shell in turn,
// waiting for each to end when "整列実行" is checked, with the window kept alive by a nested
// message loop that handles one message per 100 ms. And the abort that ends it.
#include "multirun/multirun_window_win.h"

#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/message_box_win.h"
#include "framework/waitables_win.h"
#include "multirun/run_parameters.h"
#include "resources/resource.h"

namespace {

constexpr DWORD waitSliceMs = 100;

const int runControls[] = {IDOK, IDC_RUN_UP, IDC_RUN_DOWN, IDC_RUN_REMOVE, IDC_RUN_PARAM,
                           IDC_RUN_ORDERED};

// What one start hands the shell, in UTF-16; ansi holds it in the code page when that holds
// both texts exactly, so the ANSI call starts the very file.
struct StartRequest {
    std::wstring file;
    std::wstring parameters;
    bool exact = false;
    std::string ansiFile;
    std::string ansiParameters;
};

// A shortcut starts its target with the shortcut's arguments before the entry's own. One that
// cannot be read, or that names no file, is handed to the shell as it is, which then says
// what is wrong with it. Shortcuts are read through the wide interface only: the ANSI one gives
// a look-alike of a name the code page lacks, which may start another program.
StartRequest startRequestFor(const RunEntry& entry)
{
    StartRequest request;
    request.file = entry.realPath.empty() ? std::wstring(wideChars(widened(entryPath(entry))))
                                          : std::wstring(wideChars(entry.realPath));
    std::wstring target, shortcutArguments;
    std::string ansiArguments;
    if (isShortcutPath(entryPath(entry)) &&
        readShortcutWide(request.file, target, &shortcutArguments) && !target.empty()) {
        request.file = target;
        request.exact = narrowedExactly(request.file.c_str(), request.ansiFile) &&
                        narrowedExactly(shortcutArguments.c_str(), ansiArguments);
    } else {
        shortcutArguments.clear();
        request.exact = entry.realPath.empty();
        request.ansiFile = entryPath(entry);
    }
    if (request.exact) {
        request.ansiParameters = runParameters(ansiArguments, entry);
        return request;
    }
    request.parameters = shortcutArguments + wideChars(widened(runParameters("", entry)));
    if (request.parameters.size() > runParameterLimit) {
        std::size_t cut = runParameterLimit;
        // Never half of a surrogate pair.
        wchar_t last = request.parameters[cut - 1];
        if (last >= 0xD800 && last <= 0xDBFF)
            --cut;
        request.parameters.resize(cut);
    }
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
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that ends the program must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Dialog::dispatchLoopMessage(message);
    }
    // Asked also when no message came: the abort or the exit may have been dispatched by
    // another loop meanwhile, such as the shell's own box inside ShellExecuteExA.
    return !runMustStop();
}

bool MultiRunWindow::runMustStop() const
{
    return abortRequested || exitRequested;
}

bool MultiRunWindow::waitForProcess(HANDLE process)
{
    WaitSet nothingElse;
    WaitSet& served = servedDuringRuns_ ? *servedDuringRuns_ : nothingElse;
    for (;;) {
        DWORD sliceStart = GetTickCount();
        if (served.waitForMessageOrSignal(waitSliceMs, process))
            return true;
        // The program's own handle says whether it ended: the combined wait may fail (a served
        // handle gone bad) and would then answer at once, every time, without it.
        DWORD state = WaitForSingleObject(process, 0);
        if (state == WAIT_OBJECT_0)
            return true;
        if (state == WAIT_FAILED) {
            appMessageBox("プロセスの終了待ちに失敗");
            return true;
        }
        // Whatever cut the slice short, its rest is waited on the program and the queue alone,
        // so a failing combined wait never turns this loop into a busy one.
        DWORD spent = GetTickCount() - sliceStart;
        if (spent < waitSliceMs &&
            MsgWaitForMultipleObjectsEx(1, &process, waitSliceMs - spent, QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0)
            return true;
        if (!takeOneMessage())
            return false;
    }
}

bool MultiRunWindow::startEntry(const RunEntry& entry, bool ordered)
{
    HANDLE started = nullptr;
    StartRequest request = startRequestFor(entry);
    if (request.exact) {
        SHELLEXECUTEINFOA launch{};
        launch.cbSize = sizeof(launch);
        launch.fMask = SEE_MASK_NOCLOSEPROCESS;
        launch.lpFile = request.ansiFile.c_str();
        launch.lpParameters = request.ansiParameters.c_str();
        launch.nShow = SW_SHOWDEFAULT;
        if (!ShellExecuteExA(&launch))
            return !runMustStop();
        started = launch.hProcess;
    } else {
        SHELLEXECUTEINFOW launch{};
        launch.cbSize = sizeof(launch);
        launch.fMask = SEE_MASK_NOCLOSEPROCESS;
        launch.lpFile = request.file.c_str();
        launch.lpParameters = request.parameters.c_str();
        launch.nShow = SW_SHOWDEFAULT;
        if (!ShellExecuteExW(&launch))
            return !runMustStop();
        started = launch.hProcess;
    }
    KernelHandle process(started);
    if (!ordered || runMustStop())
        return !runMustStop();
    return waitForProcess(process.get());
}

void MultiRunWindow::runList()
{
    // A run is never started inside another: its controls are disabled, but a command can
    // still be sent to the window.
    if (running || exitRequested)
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
            selectListLine(static_cast<int>(i));
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

void MultiRunWindow::endRunForExit()
{
    // Programs already started keep running; their handles are only closed.
    exitRequested = true;
}

void MultiRunWindow::abortRun()
{
    ShowWindow(hwnd(), SW_HIDE);
    clearEntries();
    showListName("");
    EnableWindow(item(IDC_RUN_PARAM), FALSE);
    abortRequested = true;
}
