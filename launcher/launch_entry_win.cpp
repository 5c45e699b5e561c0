#include "launcher/launch_entry_win.h"

#include "common/wide_text_win.h"
#include "framework/controls_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "launcher/launch_errors.h"

#include <shellapi.h>

namespace {

// A shell launch has failed when its result is 32 or less; then the result is the code.
bool launchFailed(HINSTANCE result, unsigned& code)
{
    INT_PTR value = reinterpret_cast<INT_PTR>(result);
    code = static_cast<unsigned>(value);
    return value <= 32;
}

void reportLaunchFailure(HWND owner, unsigned code)
{
    std::string text = shellLaunchErrorText(code);
    if (text.empty())
        text = systemErrorText(code);
    if (text.empty())
        text = "起動できませんでした。(エラー " + std::to_string(code) + ")";
    showMessageBox(owner, text, "ShellExecute", MB_OK | MB_ICONSTOP);
}

// The wide launch, answering as ShellExecuteA does (above 32 for success, else the code), so
// both kinds of entry report failures alike.
HINSTANCE shellExecuteWide(const wchar_t* verb, const std::wstring& path,
                           const std::string& parameters, const std::string& folder, int show)
{
    std::u16string wideParameters = widened(parameters);
    std::u16string wideFolder = widened(folder);
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.lpVerb = verb;
    launch.lpFile = path.c_str();
    launch.lpParameters = parameters.empty() ? nullptr : wideChars(wideParameters);
    launch.lpDirectory = wideChars(wideFolder);
    launch.nShow = show;
    if (ShellExecuteExW(&launch))
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    // The extended form gives the code in hInstApp, or only in the last error.
    if (reinterpret_cast<INT_PTR>(launch.hInstApp) > 0 &&
        reinterpret_cast<INT_PTR>(launch.hInstApp) <= 32)
        return launch.hInstApp;
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(GetLastError()));
}

void reportPropertiesFailure(HWND owner, HINSTANCE result)
{
    unsigned code = 0;
    if (!launchFailed(result, code))
        return;
    // Only an entry without a property sheet gets this sentence; a deleted file or a refused
    // access is told as it is.
    if (code == shellNoAssociation)
        appMessageBox("ショートカット以外のプロパティは表示できません。");
    else
        reportLaunchFailure(owner, code);
}

}  // namespace

LaunchMode launchModeNow()
{
    bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    int primary = swapped ? VK_RBUTTON : VK_LBUTTON;
    int secondary = swapped ? VK_LBUTTON : VK_RBUTTON;
    if (heldNow(VK_CONTROL) || heldNow(primary))
        return LaunchMode::properties;
    if (heldNow(VK_SHIFT) || heldNow(secondary))
        return LaunchMode::askParameters;
    return LaunchMode::open;
}

void showEntryProperties(HWND owner, const std::string& path, const std::string& folder)
{
    reportPropertiesFailure(owner, ShellExecuteA(nullptr, "properties", path.c_str(), nullptr,
                                                 folder.c_str(), SW_SHOWNORMAL));
}

void showEntryProperties(HWND owner, const std::wstring& realPath, const std::string& folder)
{
    reportPropertiesFailure(owner,
                            shellExecuteWide(L"properties", realPath, {}, folder, SW_SHOWNORMAL));
}

void openEntry(HWND owner, const std::string& path, const std::string& folder,
               const std::string& parameters)
{
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, path.c_str(), parameters.c_str(),
                                     folder.c_str(), SW_SHOWDEFAULT);
    unsigned code = 0;
    if (launchFailed(result, code))
        reportLaunchFailure(owner, code);
}

void openEntry(HWND owner, const std::wstring& realPath, const std::string& folder,
               const std::string& parameters)
{
    unsigned code = 0;
    if (launchFailed(shellExecuteWide(nullptr, realPath, parameters, folder, SW_SHOWDEFAULT),
                     code))
        reportLaunchFailure(owner, code);
}

void showEntryProperties(HWND owner, const std::string& path, const std::wstring& realPath,
                         const std::string& folder)
{
    if (realPath.empty())
        showEntryProperties(owner, path, folder);
    else
        showEntryProperties(owner, realPath, folder);
}

void openEntry(HWND owner, const std::string& path, const std::wstring& realPath,
               const std::string& folder, const std::string& parameters)
{
    if (realPath.empty())
        openEntry(owner, path, folder, parameters);
    else
        openEntry(owner, realPath, folder, parameters);
}
