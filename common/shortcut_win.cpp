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

struct LinkObject {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
};

// The shell's link object with its file interface; both empty when either cannot be had.
LinkObject createShellLink()
{
    LinkObject object;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                object.link.receive())) ||
        FAILED(object.link->QueryInterface(IID_IPersistFile, object.file.receive()))) {
        object.file.reset();
        object.link.reset();
    }
    return object;
}

}  // namespace

bool createShortcut(const std::string& target, const std::string& shortcutPath,
                    const std::string& arguments)
{
    LinkObject object = createShellLink();
    if (!object.link)
        return false;
    std::string workingDirectory;
    parentDirectory(target, workingDirectory);
    object.link->SetPath(target.c_str());
    object.link->SetArguments(arguments.c_str());
    object.link->SetWorkingDirectory(workingDirectory.c_str());

    WCHAR widePath[MAX_PATH];
    if (!toWidePath(shortcutPath, widePath))
        return false;
    if (FAILED(object.file->Save(widePath, TRUE)))
        return false;

    std::string folder;
    parentDirectory(shortcutPath, folder);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, folder.c_str(), nullptr);
    return true;
}

bool readShortcut(const std::string& shortcutPath, std::string& target, std::string* arguments)
{
    LinkObject object = createShellLink();
    if (!object.link)
        return false;
    WCHAR widePath[MAX_PATH];
    if (!toWidePath(shortcutPath, widePath))
        return false;
    if (FAILED(object.file->Load(widePath, STGM_READ)))
        return false;

    char buffer[MAX_PATH] = {};
    if (FAILED(object.link->GetPath(buffer, MAX_PATH, nullptr, SLGP_SHORTPATH)))
        return false;
    buffer[MAX_PATH - 1] = '\0';
    target = buffer;
    if (arguments) {
        char argumentBuffer[MAX_PATH] = {};
        if (SUCCEEDED(object.link->GetArguments(argumentBuffer, MAX_PATH))) {
            argumentBuffer[MAX_PATH - 1] = '\0';
            *arguments = argumentBuffer;
        } else {
            arguments->clear();
        }
    }
    return true;
}
