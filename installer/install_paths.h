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

// Why an install folder cannot be used, or the empty text when it can. Every destination path
// must fit a path buffer (259 bytes and the terminating zero).
std::string installFolderProblem(const std::string& installFolder,
                                 const std::string& ownFileName);

// Why the user cannot install into a folder they may not write to (reason: the system's text),
// and which folder to choose instead.
std::string unwritableFolderText(const std::string& folder, const std::string& reason,
                                 const std::string& suggestion);

// "%s を %s にコピーできませんでした。" filled with the two paths.
std::string copyFailureText(const std::string& source, const std::string& destination);

}  // namespace installer
