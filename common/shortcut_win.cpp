#include "common/shortcut_win.h"

#include "common/path_text.h"
#include "common/wide_text_win.h"
#include "framework/handles_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

namespace {

// A failed COM call leaves its reason where the system's error text is read from.
bool failedWith(HRESULT result)
{
    SetLastError(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                           : static_cast<DWORD>(result));
    return false;
}

bool toWidePath(const std::string& path, WCHAR (&wide)[MAX_PATH])
{
    int converted = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    return converted > 0;
}

template <class Link>
struct LinkObject {
    ComPtr<Link> link;
    ComPtr<IPersistFile> file;
};

// The shell's link object, with the ANSI or the wide interface, and its file interface; both
// empty when either cannot be had.
template <class Link>
LinkObject<Link> createShellLink(REFIID linkInterface)
{
    LinkObject<Link> object;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, linkInterface,
                                object.link.receive())) ||
        FAILED(object.link->QueryInterface(IID_IPersistFile, object.file.receive()))) {
        object.file.reset();
        object.link.reset();
    }
    return object;
}

// The argument text through either interface ("" when it cannot be read).
template <class Link, class Char>
void readArguments(Link& link, std::basic_string<Char>& arguments)
{
    Char buffer[MAX_PATH] = {};
    if (SUCCEEDED(link.GetArguments(buffer, MAX_PATH))) {
        buffer[MAX_PATH - 1] = Char(0);
        arguments = buffer;
    } else {
        arguments.clear();
    }
}

}  // namespace

bool createShortcut(const std::string& target, const std::string& shortcutPath,
                    const std::string& arguments)
{
    LinkObject<IShellLinkA> object = createShellLink<IShellLinkA>(IID_IShellLinkA);
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
    HRESULT saved = object.file->Save(widePath, TRUE);
    if (FAILED(saved))
        return failedWith(saved);

    std::string folder;
    parentDirectory(shortcutPath, folder);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, folder.c_str(), nullptr);
    return true;
}

bool readShortcut(const std::string& shortcutPath, std::string& target, std::string* arguments)
{
    // Through the wide interface: the ANSI one hands back the UTF-16 target with best fit, a
    // look-alike ("Musica" for "Música") that names another file, or "?" where no 8.3 name exists.
    std::u16string widePath = widened(shortcutPath);
    std::wstring wideTarget, wideArguments;
    if (widePath.empty() || !readShortcutWide(wideChars(widePath), wideTarget, &wideArguments))
        return false;
    std::string argumentText;
    if (!narrowedExactly(wideTarget.c_str(), target) ||
        !narrowedExactly(wideArguments.c_str(), argumentText))
        return false;
    if (arguments)
        *arguments = argumentText;
    return true;
}

bool createShortcutWide(const std::wstring& target, const std::wstring& shortcutPath,
                        const std::wstring& arguments)
{
    LinkObject<IShellLinkW> object = createShellLink<IShellLinkW>(IID_IShellLinkW);
    if (!object.link)
        return false;
    std::size_t separator = target.find_last_of(L"\\/");
    std::wstring workingDirectory =
        separator == std::wstring::npos ? target : target.substr(0, separator);
    if (workingDirectory.size() == 2 && workingDirectory[1] == L':')
        workingDirectory += L'\\';
    object.link->SetPath(target.c_str());
    object.link->SetArguments(arguments.c_str());
    object.link->SetWorkingDirectory(workingDirectory.c_str());
    HRESULT saved = object.file->Save(shortcutPath.c_str(), TRUE);
    if (FAILED(saved))
        return failedWith(saved);
    std::wstring folder = shortcutPath.substr(0, shortcutPath.find_last_of(L'\\'));
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW | SHCNF_FLUSH, folder.c_str(), nullptr);
    return true;
}

bool readShortcutWide(const std::wstring& shortcutPath, std::wstring& target,
                      std::wstring* arguments)
{
    target.clear();
    LinkObject<IShellLinkW> object = createShellLink<IShellLinkW>(IID_IShellLinkW);
    if (!object.link || FAILED(object.file->Load(shortcutPath.c_str(), STGM_READ)))
        return false;
    if (arguments)
        readArguments(*object.link.get(), *arguments);
    // The item list holds the target's names in UTF-16; the path beside it may be kept in the
    // code page only (Wine reads it back with "?").
    wchar_t path[MAX_PATH] = {};
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(object.link->GetIDList(&items)) && items) {
        BOOL found = SHGetPathFromIDListW(items, path);
        CoTaskMemFree(items);
        if (found) {
            target = path;
            return true;
        }
    }
    if (FAILED(object.link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return false;
    path[MAX_PATH - 1] = L'\0';
    target = path;
    return true;
}

std::wstring shortcutTargetWide(const std::wstring& shortcutPath)
{
    std::wstring target;
    readShortcutWide(shortcutPath, target);
    return target;
}

std::uint32_t shortcutRecordedAttributes(const std::wstring& shortcutPath)
{
    // The shell link header: its size (0x4C), the link class, the flags, the target's attributes.
    constexpr DWORD headerSize = 0x4C;
    constexpr std::size_t attributesAt = 0x18;
    static const unsigned char linkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    FileHandle file(CreateFileW(shortcutPath.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    unsigned char header[headerSize] = {};
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), header, headerSize, &read, nullptr) || read != headerSize)
        return 0;
    DWORD size = 0, attributes = 0;
    std::memcpy(&size, header, sizeof(size));
    std::memcpy(&attributes, header + attributesAt, sizeof(attributes));
    bool link = size == headerSize && std::memcmp(header + 4, linkClass, sizeof(linkClass)) == 0;
    return link ? attributes : 0;
}

int shortcutTargetPicture(const std::wstring& shortcutPath, unsigned sizeFlag,
                          std::wstring* targetPath)
{
    LinkObject<IShellLinkW> object = createShellLink<IShellLinkW>(IID_IShellLinkW);
    if (!object.link || FAILED(object.file->Load(shortcutPath.c_str(), STGM_READ)))
        return -1;
    if (targetPath) {
        wchar_t target[MAX_PATH] = {};
        if (SUCCEEDED(object.link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)))
            *targetPath = target;
    }
    wchar_t iconFile[MAX_PATH] = {};
    int iconIndex = 0;
    if (SUCCEEDED(object.link->GetIconLocation(iconFile, MAX_PATH, &iconIndex)) && iconFile[0])
        return -1;
    // By item list, which names targets that are no files too; a link Wine made from a path
    // alone has none.
    SHFILEINFOW info{};
    DWORD_PTR list = 0;
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(object.link->GetIDList(&items)) && items) {
        list = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(items), 0, &info, sizeof(info),
                              SHGFI_PIDL | SHGFI_SYSICONINDEX | sizeFlag);
        CoTaskMemFree(items);
    } else {
        wchar_t target[MAX_PATH] = {};
        if (SUCCEEDED(object.link->GetPath(target, MAX_PATH, nullptr, 0)) && target[0])
            list = SHGetFileInfoW(target, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | sizeFlag);
    }
    return list ? info.iIcon : -1;
}
