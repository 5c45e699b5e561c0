#include "installer/desktop_user_win.h"

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <vector>

namespace {

bool tokenIsElevated(HANDLE token)
{
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

KernelHandle ownToken()
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return {};
    return KernelHandle(raw);
}

// The account a token belongs to, as the bytes of its security identifier.
std::string accountOf(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !GetTokenInformation(token, TokenUser, &buffer[0], size, &size))
        return "";
    PSID sid = reinterpret_cast<TOKEN_USER*>(&buffer[0])->User.Sid;
    if (!IsValidSid(sid))
        return "";
    return std::string(static_cast<const char*>(sid), GetLengthSid(sid));
}

std::wstring wideOf(const std::string& text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), length);
    return buffer.data();
}

// The desktop's entry in the shell's window list: its automation object and its window; false
// when the list does not name one.
bool findShellDesktop(ComPtr<IDispatch>& desktop, long& desktopWindow)
{
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_IShellWindows, windows.receive())))
        return false;
    VARIANT none{};
    VariantInit(&none);
    return windows->FindWindowSW(&none, &none, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                                 reinterpret_cast<IDispatch**>(desktop.receive())) == S_OK;
}

// The desktop's shell, asked through its own folder view: what it starts runs in the shell's
// process, with the shell user's token.
bool startThroughDesktopShell(const std::string& program, const std::string& parameters,
                              const std::string& folder)
{
    long desktopWindow = 0;
    ComPtr<IDispatch> desktop;
    if (!findShellDesktop(desktop, desktopWindow) || !desktop)
        return false;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.receive())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                      browser.receive())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.receive()))) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.receive())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.receive())) ||
        FAILED(folderView->get_Application(
            reinterpret_cast<IDispatch**>(application.receive()))) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.receive())))
        return false;

    BSTR file = SysAllocString(wideOf(program).c_str());
    VARIANT arguments{};
    VariantInit(&arguments);
    if (!parameters.empty()) {
        arguments.vt = VT_BSTR;
        arguments.bstrVal = SysAllocString(wideOf(parameters).c_str());
    }
    VARIANT directory{};
    VariantInit(&directory);
    directory.vt = VT_BSTR;
    directory.bstrVal = SysAllocString(wideOf(folder).c_str());
    VARIANT verb{};
    VariantInit(&verb);
    VARIANT show{};
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWDEFAULT;
    HRESULT result = file ? shell->ShellExecute(file, arguments, directory, verb, show) : E_OUTOFMEMORY;
    SysFreeString(file);
    VariantClear(&arguments);
    VariantClear(&directory);
    return SUCCEEDED(result);
}

// The desktop's window as the shell's window list names it, for a system whose shell does not
// register itself as the shell window.
HWND desktopWindowOfShellWindows()
{
    long desktopWindow = 0;
    ComPtr<IDispatch> desktop;
    if (!findShellDesktop(desktop, desktopWindow))
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(desktopWindow));
}

KernelHandle shellProcessToken()
{
    DWORD processId = 0;
    HWND shell = GetShellWindow();
    if (!shell)
        shell = desktopWindowOfShellWindows();
    if (!shell || !GetWindowThreadProcessId(shell, &processId) || processId == 0)
        return {};
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process.get(), TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE, &raw))
        return {};
    return KernelHandle(raw);
}

}  // namespace

DesktopUser::DesktopUser()
{
    KernelHandle own = ownToken();
    elevated_ = own && tokenIsElevated(own.get());
    if (!elevated_)
        return;
    shellToken_ = shellProcessToken();
    if (shellToken_) {
        shellElevated_ = tokenIsElevated(shellToken_.get());
        std::string account = accountOf(own.get());
        shellIsThisAccount_ = !account.empty() && account == accountOf(shellToken_.get());
    }
}

installer::ElevatedStart DesktopUser::action() const
{
    return installer::elevatedStartAction(elevated_, static_cast<bool>(shellToken_),
                                          shellElevated_, shellIsThisAccount_);
}

bool DesktopUser::restartThroughShell(const std::string& program, const std::string& parameters,
                                      const std::string& folder) const
{
    return startThroughDesktopShell(program, parameters, folder);
}

bool DesktopUser::start(const std::string& program, const std::string& folder) const
{
    if (elevated_ && !shellElevated_)
        return startThroughDesktopShell(program, "", folder);
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, program.c_str(), nullptr,
                                                   folder.c_str(), SW_SHOWDEFAULT)) > 32;
}
