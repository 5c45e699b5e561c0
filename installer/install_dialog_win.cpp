#include "installer/install_dialog_win.h"

#include "framework/controls_win.h"
#include "framework/handles_win.h"
#include "framework/system_error_win.h"
#include "installer/install_folder_win.h"
#include "installer/installer_message_win.h"
#include "installer/shell_folders_win.h"
#include "resources/installer_resource.h"

#include <vector>

namespace {

struct InstallDialog {
    installer::InstallOptions options;
    std::string ownFileName;
    // What the dialog opened with, offered again when a folder is refused.
    std::string defaultFolder;
    // The folders the accepted folder's preparation made, for the run to remove after a late
    // failure.
    std::vector<std::string> madeFolders;
    IconHandle bigIcon;
    IconHandle smallIcon;
    bool ended = false;
};

InstallDialog* dialogOf(HWND window)
{
    return reinterpret_cast<InstallDialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

bool isChecked(HWND window, int id)
{
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

void setChecked(HWND window, int id, bool checked)
{
    CheckDlgButton(window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

// The whole text, however long: a folder that does not fit is refused, never cut.
std::string folderBoxText(HWND window)
{
    HWND box = GetDlgItem(window, IDC_INSTALL_FOLDER);
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
    GetWindowTextA(box, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void showCopyChoice(HWND window, bool skipCopy)
{
    EnableWindow(GetDlgItem(window, IDC_INSTALL_FOLDER), !skipCopy);
    EnableWindow(GetDlgItem(window, IDC_BROWSE_FOLDER), !skipCopy);
}

// Centred by its client size on the desktop, above every other window.
void placeOnTop(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = ((desktop.right - desktop.left) - (client.right - client.left)) / 2;
    int y = ((desktop.bottom - desktop.top) - (client.bottom - client.top)) / 2;
    SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

void openDialog(HWND window, InstallDialog& dialog)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    dialog.bigIcon = IconHandle(loadIconForDpi(instance, IDI_INSTALLER, IconSize::large));
    dialog.smallIcon = IconHandle(loadIconForDpi(instance, IDI_INSTALLER, IconSize::small));
    setWindowIcons(window, dialog.bigIcon.get(), dialog.smallIcon.get());

    SendDlgItemMessageA(window, IDC_INSTALL_FOLDER, EM_LIMITTEXT,
                        installer::maxInstallFolderChars, 0);
    SetDlgItemTextA(window, IDC_INSTALL_FOLDER, dialog.options.installFolder.c_str());
    placeOnTop(window);
    setChecked(window, IDC_ADD_TO_STARTUP, dialog.options.addToStartup);
    setChecked(window, IDC_ADD_TO_SENDTO, dialog.options.addToSendTo);
    setChecked(window, IDC_SKIP_COPY, dialog.options.skipCopy);
    showCopyChoice(window, dialog.options.skipCopy);
}

void endDialog(HWND window, InstallDialog& dialog, INT_PTR result)
{
    dialog.ended = true;
    EndDialog(window, result);
}

void browse(HWND window, InstallDialog& dialog)
{
    browseInstallFolder(window, dialog.options.installFolder);
    // Text typed but not confirmed gives way to the held folder, chosen or not.
    SetDlgItemTextA(window, IDC_INSTALL_FOLDER, dialog.options.installFolder.c_str());
}

void confirm(HWND window, InstallDialog& dialog)
{
    installer::InstallOptions read;
    read.installFolder = folderBoxText(window);
    read.addToStartup = isChecked(window, IDC_ADD_TO_STARTUP);
    read.addToSendTo = isChecked(window, IDC_ADD_TO_SENDTO);
    read.skipCopy = isChecked(window, IDC_SKIP_COPY);
    if (!read.skipCopy) {
        std::string problem = installer::installFolderProblem(read.installFolder,
                                                              dialog.ownFileName);
        if (problem.empty()) {
            DWORD error = prepareInstallFolder(read.installFolder, dialog.madeFolders);
            if (error != ERROR_SUCCESS)
                problem = installer::unwritableFolderText(
                    read.installFolder, systemErrorText(error), dialog.defaultFolder);
        }
        if (!problem.empty()) {
            installerMessage(problem, window);
            HWND box = GetDlgItem(window, IDC_INSTALL_FOLDER);
            SetFocus(box);
            SendMessageA(box, EM_SETSEL, 0, -1);
            return;
        }
    }
    dialog.options = read;
    endDialog(window, dialog, 1);
}

INT_PTR CALLBACK installDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        openDialog(window, *reinterpret_cast<InstallDialog*>(lParam));
        return TRUE;
    }
    InstallDialog* dialog = dialogOf(window);
    if (!dialog)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SKIP_COPY:
            if (HIWORD(wParam) == BN_CLICKED) {
                dialog->options.skipCopy = isChecked(window, IDC_SKIP_COPY);
                showCopyChoice(window, dialog->options.skipCopy);
            }
            return TRUE;
        case IDC_BROWSE_FOLDER:
            browse(window, *dialog);
            return TRUE;
        case IDOK:
            confirm(window, *dialog);
            return TRUE;
        case IDCANCEL:
            endDialog(window, *dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (!dialog->ended)
            endDialog(window, *dialog, 0);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR runInstallDialog(HINSTANCE instance, installer::InstallOptions& options,
                         const std::string& ownFileName, std::vector<std::string>& madeFolders)
{
    InstallDialog dialog;
    dialog.options = options;
    dialog.ownFileName = ownFileName;
    dialog.defaultFolder = options.installFolder;
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INSTALL), nullptr,
                                     installDialogProc, reinterpret_cast<LPARAM>(&dialog));
    if (result == 1) {
        options = dialog.options;
        madeFolders = dialog.madeFolders;
    }
    return result == 1 ? 1 : 0;
}
