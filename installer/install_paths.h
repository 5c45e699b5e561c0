// What the setup program installs and where: the options of its dialog, the paths derived from
// its own location and from the install folder, and the limits those paths must keep.
#pragma once

#include <string>
#include <vector>

namespace installer {

constexpr const char* launcherName = "Quintarel";
constexpr const char* launcherExtension = "exe";
constexpr const char* shortcutName = "Quintarel";
constexpr const char* shortcutExtension = "lnk";
constexpr const char* readMeFile = "ReadMe.txt";
// The install folder box holds at most this many bytes.
constexpr std::size_t maxInstallFolderChars = 259;

struct InstallOptions {
    std::string installFolder;
    bool addToStartup = true;
    bool addToSendTo = true;
    bool skipCopy = false;
};

// The user's own program folder with "Quintarel": ...\AppData\Local\Programs gives
// ...\AppData\Local\Programs\Quintarel. A system that names no such folder (older than
// Windows 7) has it in the same place below the local application data, which stands in. With
// neither the text is empty and the user types a folder: a folder every user shares (Program
// Files) is no default, since only an administrator may write there.
std::string defaultInstallFolder(const std::string& userProgramFiles,
                                 const std::string& localAppData);

// The defaults of a run: the default install folder, both registrations on, copying on.
InstallOptions defaultInstallOptions(const std::string& userProgramFiles,
                                     const std::string& localAppData);

// Drive and folder of a program file, ending in its separator: C:\Setup\installer.exe gives
// C:\Setup\.
std::string folderOf(const std::string& programPath);

// The name and extension of a program file: C:\Setup\installer.exe gives installer.exe.
std::string fileNameOf(const std::string& programPath);

// A file in a folder: a separator is added when the folder does not end in one.
std::string fileIn(const std::string& folder, const std::string& name,
                   const std::string& extension);

// The launcher file in a folder.
std::string launcherIn(const std::string& folder);

// The shortcut file in a Startup or Send To folder.
std::string shortcutIn(const std::string& folder);

// The install folder as the copy steps use it: a separator is appended whether or not it ends
// in one already.
std::string copyFolder(const std::string& installFolder);

// One file copied from the installer's folder into the install folder.
struct CopyStep {
    std::string source;
    std::string destination;
    // A failed copy of the launcher ends the run; the others are reported and passed over.
    bool required;
};

// The copies in their order: the installer itself, the read-me, the launcher. The destination
// folder is the copyFolder of the install folder.
std::vector<CopyStep> copySteps(const std::string& sourceFolder, const std::string& ownFileName,
                                const std::string& destinationFolder);

// Whether a folder is named from a drive's root ("C:\\Tools", "C:/Tools") or a share
// ("\\\\server\\share\\Tools"), without "." or ".." steps: a relative folder would be made
// relative to whatever the current folder is, and shortcuts to it would point nowhere.
bool isFullFolderPath(const std::string& folder);

// Why an install folder cannot be used, or the empty text when it can: it must be a full path
// (isFullFolderPath), and every destination path must fit a path buffer (259 bytes and the
// terminating zero).
std::string installFolderProblem(const std::string& installFolder,
                                 const std::string& ownFileName);

// Why the user cannot install into a folder they may not write to (reason: the system's text),
// and which folder to choose instead.
std::string unwritableFolderText(const std::string& folder, const std::string& reason,
                                 const std::string& suggestion);

// "%s を %s にコピーできませんでした。" filled with the two paths, and the system's reason on
// a line of its own when there is one.
std::string copyFailureText(const std::string& source, const std::string& destination,
                            const std::string& reason = "");

// Whether path is folder itself or lies below it, letters compared without regard to case
// (double-byte characters as they are).
bool isInside(const std::string& path, const std::string& folder);

// What an installer started with an administrator's token does. The user an installation is
// for is the one whose desktop shell runs: a normal start installs for them at once; an
// elevated one starts itself again through that shell, with the shell's token, unless the shell
// runs elevated as this very account (no user account control: the administrator is the
// desktop's user), and refuses when there is no such shell to ask.
enum class ElevatedStart { install, restartThroughShell, refuse };
ElevatedStart elevatedStartAction(bool elevated, bool shellFound, bool shellElevated,
                                  bool shellIsThisAccount);

// The messages of an elevated start that cannot go on.
std::string elevatedRefusalText();
std::string restartFailedText(const std::string& program);

// The question when the launcher of the install folder is running, and the message when it did
// not end on request.
std::string runningLauncherQuestion(const std::string& launcher);
std::string launcherDidNotEndText(const std::string& launcher);

// The uninstall entry under HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall.
constexpr const char* uninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quintarel";
constexpr const char* uninstallSwitch = "/uninstall";
constexpr const char* publisher = "Brisvane";
// The launcher's settings, kept or removed by an uninstall.
constexpr const char* settingsKey = "Software\\Brisvane\\Quintarel";
constexpr const char* companyKey = "Software\\Brisvane";
// The folders beside the launcher that hold what the user made.
constexpr const char* launcherFolderName = "app";
constexpr const char* listFolderName = "seq";

struct UninstallEntry {
    std::string displayName;
    std::string displayVersion;
    unsigned versionMajor = 0;
    unsigned versionMinor = 0;
    std::string publisher;
    std::string installLocation;
    std::string displayIcon;
    std::string uninstallString;
    // In kilobytes, rounded up, as the system's list shows it.
    unsigned estimatedSizeKb = 0;
};

// The entry of an installation in folder whose installer file is installerName, with the
// version's four parts and the bytes its files take.
UninstallEntry uninstallEntry(const std::string& folder, const std::string& installerName,
                              const unsigned version[4], unsigned long long bytes);

// The version's parts from a version resource (VS_VERSIONINFO): the file version of its fixed
// part, found by that part's signature. False when the block holds none.
bool fixedFileVersion(const std::string& block, unsigned version[4]);

// The one question of an uninstall, and what is said after it.
std::string uninstallQuestion(const std::string& folder);
std::string notInstalledText();
std::string uninstalledText(const std::string& folder, bool folderLeft);
std::string uninstallAbandonedText();

}  // namespace installer
