#include "installer/install_folder_win.h"

#include "common/path_text.h"
#include "framework/handles_win.h"
#include "installer/install_paths.h"
#include "installer/shell_folders_win.h"

#include <sddl.h>
#include <shlobj.h>

namespace {

// The folder without separators at its end, but a drive's root keeps its own.
std::string withoutTrailingSeparators(std::string folder)
{
    while (folder.size() > 1 && findLastSeparator(folder) == folder.size() - 1)
        folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

// The running user's security identifier in its text form; empty when it cannot be read.
std::string currentUserSid()
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return "";
    KernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 ||
        !GetTokenInformation(token.get(), TokenUser, &buffer[0], size, &size))
        return "";
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(&buffer[0])->User.Sid, &text))
        return "";
    LocalMemory owned(text);
    return text;
}

LocalMemory securityFor(const std::string& folder)
{
    std::string text = madeFolderSecurity(folder);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (text.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                            text.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    return LocalMemory(descriptor);
}

// Creates, writes and deletes a file of its own: the handle deletes it as it closes, so no
// probe is left behind even where the folder lets files be made but not deleted (the open
// fails there, having made nothing).
DWORD probeWriting(const std::string& folder)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::string probe = folder + (folder.back() == '\\' ? "" : "\\") + "quintarel-probe-" +
                            std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(attempt) + ".tmp";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS)
                continue;
            return error;
        }
        DWORD written = 0;
        BOOL wrote = WriteFile(file, "q", 1, &written, nullptr);
        DWORD error = wrote ? ERROR_SUCCESS : GetLastError();
        CloseHandle(file);
        return error;
    }
    return ERROR_FILE_EXISTS;
}

}  // namespace

std::string privateFolderSecurity(const std::string& userSid)
{
    // Protected (P): nothing inherited from above. Each entry reaches files and sub-folders.
    return "D:P(A;OICI;FA;;;" + userSid + ")(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
}

std::string madeFolderSecurity(const std::string& folder)
{
    std::string profile;
    if (specialFolderPath(CSIDL_PROFILE, profile) && installer::isInside(folder, profile))
        return "";
    std::string sid = currentUserSid();
    return sid.empty() ? "" : privateFolderSecurity(sid);
}

void removeMadeFolders(const std::vector<std::string>& made)
{
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}

DWORD prepareInstallFolder(const std::string& installFolder, std::vector<std::string>& made)
{
    made.clear();
    std::string folder = withoutTrailingSeparators(installFolder);
    // Innermost first; made outermost first.
    std::vector<std::string> missing;
    std::string step = folder;
    for (;;) {
        DWORD attributes = GetFileAttributesA(step.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return ERROR_DIRECTORY;
            break;
        }
        missing.push_back(step);
        std::string parent;
        if (!parentDirectory(step, parent))
            break;
        step = parent;
    }
    LocalMemory descriptor;
    if (!missing.empty())
        descriptor = securityFor(folder);
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        // The outermost folder made carries the list; those inside inherit it.
        bool outermost = it == missing.rbegin();
        if (!CreateDirectoryA(it->c_str(), outermost && descriptor ? &security : nullptr)) {
            DWORD error = GetLastError();
            removeMadeFolders(made);
            made.clear();
            return error;
        }
        made.push_back(*it);
    }
    DWORD error = probeWriting(folder);
    if (error != ERROR_SUCCESS) {
        removeMadeFolders(made);
        made.clear();
    }
    return error;
}
