#include "installer/install_paths.h"

#include "common/path_text.h"

#include <algorithm>
#include <cstdio>

namespace installer {

std::string defaultInstallFolder(const std::string& userProgramFiles,
                                 const std::string& localAppData)
{
    if (!userProgramFiles.empty())
        return makePath("", userProgramFiles, launcherName, "");
    if (!localAppData.empty())
        return makePath("", makePath("", localAppData, "Programs", ""), launcherName, "");
    return "";
}

InstallOptions defaultInstallOptions(const std::string& userProgramFiles,
                                     const std::string& localAppData)
{
    InstallOptions options;
    options.installFolder = defaultInstallFolder(userProgramFiles, localAppData);
    return options;
}

std::string folderOf(const std::string& programPath)
{
    PathParts parts = splitPath(programPath);
    return makePath(parts.drive, parts.directory, "", "");
}

std::string fileNameOf(const std::string& programPath)
{
    PathParts parts = splitPath(programPath);
    return makePath("", "", parts.name, parts.extension);
}

std::string fileIn(const std::string& folder, const std::string& name,
                   const std::string& extension)
{
    return makePath("", folder, name, extension);
}

std::string launcherIn(const std::string& folder)
{
    return fileIn(folder, launcherName, launcherExtension);
}

std::string shortcutIn(const std::string& folder)
{
    return fileIn(folder, shortcutName, shortcutExtension);
}

std::string copyFolder(const std::string& installFolder)
{
    return installFolder + '\\';
}

std::vector<CopyStep> copySteps(const std::string& sourceFolder, const std::string& ownFileName,
                                const std::string& target)
{
    std::string launcher = fileIn("", launcherName, launcherExtension);
    return {
        {fileIn(sourceFolder, ownFileName, ""), fileIn(target, ownFileName, ""), false},
        {fileIn(sourceFolder, readMeFile, ""), fileIn(target, readMeFile, ""), false},
        {fileIn(sourceFolder, launcher, ""), fileIn(target, launcher, ""), true},
    };
}

std::string installFolderProblem(const std::string& installFolder,
                                 const std::string& ownFileName)
{
    if (installFolder.empty())
        return "インストール先のフォルダーを入力してください。";
    std::size_t longest = 0;
    for (const CopyStep& step : copySteps("", ownFileName, copyFolder(installFolder)))
        longest = std::max(longest, step.destination.size());
    if (longest <= maxPathChars)
        return "";
    // The appended separator and the longest file name take the rest of the buffer.
    std::size_t overhead = longest - installFolder.size();
    std::size_t room = overhead < maxPathChars ? maxPathChars - overhead : 0;
    char text[160];
    std::snprintf(text, sizeof(text),
                  "インストール先のフォルダー名が長すぎます。\n半角で %u 文字以内にしてください。",
                  static_cast<unsigned>(room));
    return text;
}

std::string unwritableFolderText(const std::string& folder, const std::string& reason,
                                 const std::string& suggestion)
{
    std::string why = reason;
    while (!why.empty() && (why.back() == '\r' || why.back() == '\n' || why.back() == ' '))
        why.pop_back();
    std::string text = folder + " には書き込めないため、インストールできません。\n";
    if (!why.empty())
        text += "(" + why + ")\n";
    text += "\nご自分の権限で書き込めるフォルダーを選んでください。"
            "Program Files や Windows のフォルダーには管理者しか書き込めません。";
    if (!suggestion.empty() && suggestion != folder)
        text += "\n既定のインストール先は " + suggestion + " です。";
    return text;
}

std::string copyFailureText(const std::string& source, const std::string& destination)
{
    return source + " を " + destination + " にコピーできませんでした。";
}

}  // namespace installer
