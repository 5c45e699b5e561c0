// The multiple-execution window's creation, initialisation, message handling, side panel and
// after-run options.
#include "multirun/multirun_window_win.h"

#include "common/directory_win.h"
#include "common/path_text.h"
#include "framework/application_win.h"
#include "framework/controls_win.h"
#include "framework/dpi_win.h"
#include "framework/data_exchange_win.h"
#include "framework/profile_store.h"
#include "multirun/list_caption.h"
#include "multirun/list_file_io_win.h"
#include "resources/resource.h"
#include "settings/profile_names.h"

#include <commctrl.h>

namespace names = profile_names;

namespace {

}  // namespace

MultiRunWindow::MultiRunWindow(ProfileStore& profile)
    : Dialog(IDD_MULTI_RUN), wakeupLists(diskPathKey), profile_(profile)
{
}

bool MultiRunWindow::create(HWND owner)
{
    return createModeless(owner);
}

Dialog::MessageMap MultiRunWindow::messageMap() const
{
    static const MessageMapEntry entries[] = {
        command(IDM_OPEN_LIST, &MultiRunWindow::openListCommand, 0),
        command(IDM_OPEN_LIST, &MultiRunWindow::openListCommand, 1),
        command(IDM_SAVE_LIST, &MultiRunWindow::saveListCommand, 0),
        command(IDM_SAVE_LIST, &MultiRunWindow::saveListCommand, 1),
        command(IDM_KEEP_LIST, &MultiRunWindow::toggleKeepList, 0),
        command(IDM_KEEP_WINDOW, &MultiRunWindow::toggleKeepWindow, 0),
        command(IDC_RUN_LIST, &MultiRunWindow::onEntrySelected, LBN_SELCHANGE),
        command(IDC_RUN_PARAM, &MultiRunWindow::onParametersEdited, EN_CHANGE),
        command(IDC_RUN_UP, &MultiRunWindow::moveSelectedUp),
        command(IDC_RUN_DOWN, &MultiRunWindow::moveSelectedDown),
        command(IDC_RUN_REMOVE, &MultiRunWindow::removeSelected),
        command(IDC_RUN_ORDERED, &MultiRunWindow::onOrderedRunClicked),
        command(IDC_RUN_PANEL, &MultiRunWindow::toggleOptionPanel),
        command(IDC_REGISTERED_LISTS, &MultiRunWindow::openListCommand, LBN_DBLCLK),
        command(IDC_REGISTERED_LISTS, &MultiRunWindow::showWakeupMark, LBN_SELCHANGE),
        command(IDC_RUN_ON_WAKEUP, &MultiRunWindow::onRunOnWakeupClicked),
        command(IDC_RUN_HOTKEY_SET, &MultiRunWindow::setMultiRunHotkey),
        command(IDC_RUN_HOTKEY_DELETE, &MultiRunWindow::deleteMultiRunHotkey),
    };
    return mapOf(entries);
}

MessageResult MultiRunWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        addDroppedFiles(drop);
        DragFinish(drop);
        return MessageResult::of(0);
    }
    case WM_HOTKEY:
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        return MessageResult::of(0);
    default:
        return defaultWindowProc(message, wParam, lParam);
    }
}

bool MultiRunWindow::preTranslateMessage(MSG& message)
{
    if (acceleratorTable && TranslateAcceleratorA(hwnd(), acceleratorTable, &message))
        return true;
    return Dialog::preTranslateMessage(message);
}

void MultiRunWindow::exchangeData(DataExchange& exchange)
{
    exchange.text(IDC_RUN_PARAM, paramText, pathBufferSize);
}

BOOL MultiRunWindow::onInitDialog()
{
    Dialog::onInitDialog();
    // The template's system-modal bit asks for a topmost window; Wine does not make a modeless
    // dialog topmost from it, so the window says so itself.
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    loadWindowIcons();
    EnableWindow(item(IDC_RUN_PARAM), FALSE);
    // The run list shows real names the code page cannot hold: the list control is made a
    // Unicode window (its own wide procedure given back to it); ANSI texts still reach it
    // through the A messages, converted without loss.
    HWND runList = item(IDC_RUN_LIST);
    SetWindowLongPtrW(runList, GWLP_WNDPROC, GetWindowLongPtrW(runList, GWLP_WNDPROC));
    readOptions();
    registerStoredHotkey();
    acceleratorTable = LoadAcceleratorsA(app::instance(), MAKEINTRESOURCEA(IDR_MULTIRUN_ACCEL));
    adjustSystemMenu();
    setMenuCheck(IDM_KEEP_WINDOW, keepWindowAfterRun);
    setMenuCheck(IDM_KEEP_LIST, keepListAfterRun);
    makeListFolder();
    refreshRegisteredLists();
    measurePanelSizes();
    // The toggle brings the stored state back, sizes the window and writes ShowOption.
    optionPanelShown = !optionPanelShown;
    toggleOptionPanel();
    wakeupLists.load(profile_);
    return TRUE;
}

void MultiRunWindow::loadWindowIcons()
{
    bigIcon.reset(loadIconForDpi(app::instance(), IDI_NORMAL, IconSize::large));
    smallIcon.reset(loadIconForDpi(app::instance(), IDI_NORMAL, IconSize::small));
    setWindowIcons(hwnd(), bigIcon.get(), smallIcon.get());
}

void MultiRunWindow::readOptions()
{
    ProfileStore& profile = profile_;
    const char* section = names::multipleLaunchSection;
    keepWindowAfterRun = profile.readInt(section, names::stillMultiRunValue, 0) != 0;
    keepListAfterRun = profile.readInt(section, names::stillMultiRunListValue, 0) != 0;
    optionPanelShown = profile.readInt(section, names::showOptionValue, 0) != 0;
    bool ordered = profile.readInt(section, names::runOnWaitValue, 0) != 0;
    CheckDlgButton(hwnd(), IDC_RUN_ORDERED, ordered ? BST_CHECKED : BST_UNCHECKED);
    multiRunHotkey =
        static_cast<HotkeyWord>(profile.readInt(section, names::hotkeyValue, 0) & 0xFFFF);
}

void MultiRunWindow::registerStoredHotkey()
{
    setUpHotkeyField(item(IDC_RUN_HOTKEY), multiRunHotkey);
    hotkeys.attach(hwnd());
    if (multiRunHotkey != 0 && !hotkeys.registerKey(mainHotkeyId, multiRunHotkey))
        reportHotkeyFailureInAppBox();
}

void MultiRunWindow::adjustSystemMenu()
{
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (!systemMenu)
        return;
    RemoveMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
}

void MultiRunWindow::makeListFolder()
{
    PathParts program = splitPath(app::modulePath());
    listFolder = makePath(program.drive, program.directory, "seq", "");
    createDirectoryPath(listFolder);
}

void MultiRunWindow::measurePanelSizes()
{
    RECT window{};
    GetWindowRect(hwnd(), &window);
    fullWidth = window.right - window.left;
    fullHeight = window.bottom - window.top;
    narrowHeight = fullHeight;
    RECT button{};
    GetWindowRect(item(IDC_RUN_PANEL), &button);
    narrowWidth = button.right - window.left + 4;
    panelDpi = windowDpi(hwnd());
}

void MultiRunWindow::onDpiChanged(UINT dpi)
{
    // Measured once, in pixels: both sizes of the window follow the scale.
    if (dpi == 0 || panelDpi == 0 || dpi == panelDpi)
        return;
    auto scaled = [&](int pixels) {
        return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(panelDpi));
    };
    fullWidth = scaled(fullWidth);
    fullHeight = scaled(fullHeight);
    narrowWidth = scaled(narrowWidth);
    narrowHeight = scaled(narrowHeight);
    panelDpi = dpi;
}

void MultiRunWindow::toggleOptionPanel()
{
    int width = fullWidth;
    int height = fullHeight;
    const char* buttonText = "<<";
    if (optionPanelShown) {
        width = narrowWidth;
        height = narrowHeight;
        buttonText = ">>";
    }
    optionPanelShown = !optionPanelShown;
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    setItemText(IDC_RUN_PANEL, buttonText);
    SetFocus(hwnd());
    profile_.writeInt(names::multipleLaunchSection, names::showOptionValue,
                            optionPanelShown ? 1 : 0);
}

void MultiRunWindow::showWithoutActivating()
{
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void MultiRunWindow::showListName(const std::string& name)
{
    currentListName = name;
    SetWindowTextA(hwnd(), multiRunCaption(currentListName).c_str());
}

void MultiRunWindow::onOK()
{
    runList();
}

void MultiRunWindow::onCancel()
{
    abortRun();
}

bool MultiRunWindow::orderedRunChecked() const
{
    return IsDlgButtonChecked(hwnd(), IDC_RUN_ORDERED) == BST_CHECKED;
}

void MultiRunWindow::onOrderedRunClicked()
{
    profile_.writeInt(names::multipleLaunchSection, names::runOnWaitValue,
                            orderedRunChecked() ? 1 : 0);
}

bool MultiRunWindow::isMenuItemChecked(UINT id) const
{
    HMENU menu = GetMenu(hwnd());
    return menu && (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MultiRunWindow::setMenuCheck(UINT id, bool checked)
{
    if (HMENU menu = GetMenu(hwnd()))
        CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MultiRunWindow::toggleKeepList()
{
    keepListAfterRun = !isMenuItemChecked(IDM_KEEP_LIST);
    setMenuCheck(IDM_KEEP_LIST, keepListAfterRun);
    profile_.writeInt(names::multipleLaunchSection, names::stillMultiRunListValue,
                            keepListAfterRun ? 1 : 0);
}

void MultiRunWindow::toggleKeepWindow()
{
    keepWindowAfterRun = !isMenuItemChecked(IDM_KEEP_WINDOW);
    setMenuCheck(IDM_KEEP_WINDOW, keepWindowAfterRun);
    profile_.writeInt(names::multipleLaunchSection, names::stillMultiRunValue,
                            keepWindowAfterRun ? 1 : 0);
}
