#include "installer/uninstall_win.h"

#include "common/path_compare_win.h"
#include "common/shortcut_win.h"
#include "framework/handles_win.h"
#include "installer/install_files_win.h"
#include "installer/install_paths.h"
#include "installer/installer_message_win.h"
#include "installer/running_launcher_win.h"
#include "installer/shell_folders_win.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

constexpr int abandoned = -1;
constexpr int completed = 0;
constexpr DWORD launcherEndMs = 30000;

void ownVersion(unsigned version[4])
{
    version[0] = version[1] = version[2] = version[3] = 0;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data)
        installer::fixedFileVersion(
            std::string(static_cast<const char*>(data), SizeofResource(nullptr, found)), version);
}

bool setText(HKEY key, const char* name, const std::string& text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool setNumber(HKEY key, const char* name, DWORD number)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof(number)) == ERROR_SUCCESS;
}

std::string readText(HKEY key, const char* name)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return "";
    buffer[sizeof(buffer) - 1] = '\0';
    return buffer;
}

// Removes a folder and everything in it. A junction or link inside is removed as a link: what
// it points to is not the installation's.
void removeTree(const std::string& folder)
{
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA found;
        FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
        if (search) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    removeFile(path);
            } while (FindNextFileA(search.get(), &found));
        }
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

// The shortcut in a special folder, when it points to this installation's launcher.
void removeShortcutTo(int csidl, const std::string& launcher)
{
    std::string folder;
    if (!specialFolderPath(csidl, folder))
        return;
    std::string shortcut = installer::shortcutIn(folder);
    std::string target;
    if (readShortcut(shortcut, target) && samePath(target, launcher)) {
        removeFile(shortcut);
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA | SHCNF_FLUSH, folder.c_str(), nullptr);
    }
}

// The running installer cannot delete its own file, but can move it out of the folder that is
// to go: into the user's temporary folder, for the system's clean-up of it.
void moveOwnFileAway(const std::string& ownPath)
{
    char temporary[MAX_PATH] = {};
    DWORD length = GetTempPathA(MAX_PATH, temporary);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string away = std::string(temporary) + "quintarel-uninstall-" +
                       std::to_string(GetCurrentProcessId()) + ".exe";
    MoveFileExA(ownPath.c_str(), away.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool keyIsEmpty(HKEY parent, const char* name)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, name, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    RegistryKey key(raw);
    DWORD subkeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                            &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

}  // namespace

bool registerInstallation(const std::string& folder, const std::string& installerName)
{
    unsigned version[4];
    ownVersion(version);
    unsigned long long bytes = fileSize(installer::launcherIn(folder)) +
                               fileSize(installer::fileIn(folder, installerName, "")) +
                               fileSize(installer::fileIn(folder, installer::readMeFile, ""));
    installer::UninstallEntry entry =
        installer::uninstallEntry(folder, installerName, version, bytes);
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, installer::uninstallKey, 0, nullptr, 0, KEY_WRITE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return false;
    RegistryKey key(raw);
    return setText(key.get(), "DisplayName", entry.displayName) &&
           setText(key.get(), "DisplayVersion", entry.displayVersion) &&
           setNumber(key.get(), "VersionMajor", entry.versionMajor) &&
           setNumber(key.get(), "VersionMinor", entry.versionMinor) &&
           setText(key.get(), "Publisher", entry.publisher) &&
           setText(key.get(), "InstallLocation", entry.installLocation) &&
           setText(key.get(), "DisplayIcon", entry.displayIcon) &&
           setText(key.get(), "UninstallString", entry.uninstallString) &&
           setNumber(key.get(), "EstimatedSize", entry.estimatedSizeKb) &&
           setNumber(key.get(), "NoModify", 1) && setNumber(key.get(), "NoRepair", 1);
}

bool registeredInstallation(std::string& folder, std::string& installerName)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, installer::uninstallKey, 0, KEY_READ, &raw) !=
        ERROR_SUCCESS)
        return false;
    RegistryKey key(raw);
    folder = readText(key.get(), "InstallLocation");
    // The command is the quoted installer path and the switch.
    std::string command = readText(key.get(), "UninstallString");
    std::size_t end = command.size() > 1 && command[0] == '"' ? command.find('"', 1)
                                                              : std::string::npos;
    installerName = end == std::string::npos ? ""
                                             : installer::fileNameOf(command.substr(1, end - 1));
    return !folder.empty();
}

int runUninstall(const std::string& ownPath)
{
    std::string folder;
    std::string installerName;
    if (!registeredInstallation(folder, installerName)) {
        installerMessage(installer::notInstalledText());
        return completed;
    }
    int answer = installerMessage(installer::uninstallQuestion(folder),
                                  nullptr, MB_YESNOCANCEL | MB_DEFBUTTON2);
    if (answer != IDYES && answer != IDNO) {
        installerMessage(installer::uninstallAbandonedText());
        return abandoned;
    }
    bool removeData = answer == IDYES;
    std::string launcher = installer::launcherIn(folder);
    RunningLauncher running = runningLauncherOf(launcher);
    if (running.window && !endLauncher(running, launcherEndMs)) {
        installerMessage(installer::launcherDidNotEndText(launcher));
        return abandoned;
    }

    removeShortcutTo(CSIDL_STARTUP, launcher);
    removeShortcutTo(CSIDL_SENDTO, launcher);
    removeFile(launcher);
    removeFile(installer::fileIn(folder, installer::readMeFile, ""));
    if (!installerName.empty()) {
        std::string installerFile = installer::fileIn(folder, installerName, "");
        if (sameFile(installerFile, ownPath))
            moveOwnFileAway(ownPath);
        else
            removeFile(installerFile);
    }
    if (removeData) {
        removeTree(installer::fileIn(folder, installer::launcherFolderName, ""));
        removeTree(installer::fileIn(folder, installer::listFolderName, ""));
        SHDeleteKeyA(HKEY_CURRENT_USER, installer::settingsKey);
        if (keyIsEmpty(HKEY_CURRENT_USER, installer::companyKey))
            RegDeleteKeyA(HKEY_CURRENT_USER, installer::companyKey);
    }
    RemoveDirectoryA(folder.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, installer::uninstallKey);
    bool folderLeft = GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    installerMessage(installer::uninstalledText(folder, folderLeft));
    return completed;
}
