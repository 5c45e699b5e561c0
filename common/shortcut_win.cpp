#include "common/shortcut_win.h"

#include "common/path_text.h"
#include "framework/handles_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

bool toWidePath(const std::string& path, WCHAR (&wide)[MAX_PATH])
{
    int converted = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    return converted > 0;
}

ComPtr<IShellLinkA> createShellLink()
{
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.receive())))
        link.reset();
    return link;
}

}  // namespace

bool createShortcut(const std::string& target, const std::string& shortcutPath,
                    const std::string& arguments)
{
    ComPtr<IShellLinkA> link = createShellLink();
    if (!link)
        return false;
    std::string workingDirectory;
    parentDirectory(target, workingDirectory);
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    link->SetWorkingDirectory(workingDirectory.c_str());

    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive())))
        return false;
    WCHAR widePath[MAX_PATH];
    if (!toWidePath(shortcutPath, widePath))
        return false;
    if (FAILED(file->Save(widePath, TRUE)))
        return false;

    std::string folder;
    parentDirectory(shortcutPath, folder);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, folder.c_str(), nullptr);
    return true;
}

bool readShortcut(const std::string& shortcutPath, std::string& target, std::string* arguments)
{
    ComPtr<IShellLinkA> link = createShellLink();
    if (!link)
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive())))
        return false;
    WCHAR widePath[MAX_PATH];
    if (!toWidePath(shortcutPath, widePath))
        return false;
    if (FAILED(file->Load(widePath, STGM_READ)))
        return false;

    char buffer[MAX_PATH] = {};
    if (FAILED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_SHORTPATH)))
        return false;
    buffer[MAX_PATH - 1] = '\0';
    target = buffer;
    if (arguments) {
        char argumentBuffer[MAX_PATH] = {};
        if (SUCCEEDED(link->GetArguments(argumentBuffer, MAX_PATH))) {
            argumentBuffer[MAX_PATH - 1] = '\0';
            *arguments = argumentBuffer;
        } else {
            arguments->clear();
        }
    }
    return true;
}
