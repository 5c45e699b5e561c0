#include "installer/install_paths.h"

#include "common/dbcs.h"
#include "common/path_text.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace installer {

namespace {

std::string withoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The components between single-byte separators; the second byte of a double-byte character
// is never taken for one.
std::vector<std::string> components(const std::string& path, std::size_t from)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = from; i < path.size(); ++i) {
        if (isLeadByte(path[i]) && i + 1 < path.size()) {
            parts.back() += path.substr(i, 2);
            ++i;
        } else if (isPathSeparator(path[i])) {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Letters folded, double-byte characters kept whole, separators made one kind and the
// trailing ones dropped (a drive's root keeps its own).
std::string comparable(const std::string& path)
{
    std::string folded;
    std::size_t wholeCharacterEnd = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (isLeadByte(c) && i + 1 < path.size()) {
            folded += path.substr(i, 2);
            ++i;
            wholeCharacterEnd = folded.size();
            continue;
        }
        folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                  : c == '/'           ? '\\'
                                       : c;
    }
    // Only single-byte separators after the last double-byte character go.
    while (folded.size() > 3 && folded.size() > wholeCharacterEnd && folded.back() == '\\')
        folded.pop_back();
    return folded;
}

}  // namespace

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
    if (!isFullFolderPath(installFolder))
        return installFolder +
               " はフォルダーの完全な名前ではありません。\n"
               "C:\\Tools\\Quintarel のようにドライブから、または "
               "\\\\サーバー\\共有\\Quintarel のように共有から書いてください。";
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
    std::string why = withoutLineEnd(reason);
    std::string text = folder + " には書き込めないため、インストールできません。\n";
    if (!why.empty())
        text += "(" + why + ")\n";
    text += "\nご自分の権限で書き込めるフォルダーを選んでください。"
            "Program Files や Windows のフォルダーには管理者しか書き込めません。";
    if (!suggestion.empty() && suggestion != folder)
        text += "\n既定のインストール先は " + suggestion + " です。";
    return text;
}


bool isFullFolderPath(const std::string& folder)
{
    std::vector<std::string> parts;
    if (folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' &&
        isPathSeparator(folder[2])) {
        parts = components(folder, 3);
    } else if (folder.size() >= 2 && isPathSeparator(folder[0]) && isPathSeparator(folder[1])) {
        parts = components(folder, 2);
        // A server and a share; "\\?\" and "\\.\" name no share but the system's own ways.
        if (parts.size() < 2 || parts[0].empty() || parts[1].empty() || parts[0] == "?" ||
            parts[0] == ".")
            return false;
    } else {
        return false;
    }
    // Empty components stand for doubled or trailing separators, which the system skips.
    for (const std::string& part : parts)
        if (part == "." || part == "..")
            return false;
    return true;
}

std::string copyFailureText(const std::string& source, const std::string& destination,
                            const std::string& reason)
{
    std::string text = source + " を " + destination + " にコピーできませんでした。";
    std::string why = withoutLineEnd(reason);
    if (!why.empty())
        text += "\n(" + why + ")";
    return text;
}

bool isInside(const std::string& path, const std::string& folder)
{
    std::string inner = comparable(path);
    std::string outer = comparable(folder);
    if (outer.empty() || inner.compare(0, outer.size(), outer) != 0)
        return false;
    // A folder ending in a lead byte would end inside the path's double-byte character.
    bool cut = false;
    for (std::size_t i = 0; i < outer.size(); ++i) {
        cut = isLeadByte(outer[i]) && i + 1 == outer.size();
        if (isLeadByte(outer[i]))
            ++i;
    }
    if (cut && inner.size() > outer.size())
        return false;
    return inner.size() == outer.size() || outer.back() == '\\' || inner[outer.size()] == '\\';
}

ElevatedStart elevatedStartAction(bool elevated, bool shellFound, bool shellElevated,
                                  bool shellIsThisAccount)
{
    if (!elevated)
        return ElevatedStart::install;
    if (!shellFound)
        return ElevatedStart::refuse;
    if (shellElevated && shellIsThisAccount)
        return ElevatedStart::install;
    return ElevatedStart::restartThroughShell;
}

std::string elevatedRefusalText()
{
    return "インストーラーが管理者として実行されましたが、デスクトップ(エクスプローラー)が"
           "見つからないため、ご自分の権限で起動し直せませんでした。\n"
           "管理者のためにインストールしないよう、ここで終わります。\n\n"
           "installer.exe を「管理者として実行」ではなく、ふつうにダブルクリックして"
           "開いてください。";
}

std::string restartFailedText(const std::string& program)
{
    return "インストーラーが管理者として実行されたため、デスクトップ(エクスプローラー)に"
           "ご自分の権限で起動し直すよう頼みましたが、できませんでした。\n"
           "管理者のためにインストールしないよう、ここで終わります。\n\n" +
           program + " を、「管理者として実行」ではなく、ふつうに開いてください。";
}

std::string runningLauncherQuestion(const std::string& launcher)
{
    return launcher + " が起動しています。\n\n"
                      "Quintarel を終了して更新しますか?設定は保存され、更新のあと "
                      "Quintarel はもう一度起動します。\n"
                      "[いいえ] を選ぶと、何も変えずにインストールを中止します。";
}

std::string launcherDidNotEndText(const std::string& launcher)
{
    return launcher + " が終了しませんでした。\n"
                      "開いているウィンドウを閉じてから、もう一度インストールしてください。";
}

UninstallEntry uninstallEntry(const std::string& folder, const std::string& installerName,
                              const unsigned version[4], unsigned long long bytes)
{
    UninstallEntry entry;
    entry.displayName = launcherName;
    entry.displayVersion = std::to_string(version[0]) + "." + std::to_string(version[1]) + "." +
                           std::to_string(version[2]) + "." + std::to_string(version[3]);
    entry.versionMajor = version[0];
    entry.versionMinor = version[1];
    entry.publisher = installer::publisher;
    entry.installLocation = folder;
    entry.displayIcon = launcherIn(folder) + ",0";
    entry.uninstallString = "\"" + fileIn(folder, installerName, "") + "\" " + uninstallSwitch;
    entry.estimatedSizeKb = static_cast<unsigned>((bytes + 1023) / 1024);
    return entry;
}

bool fixedFileVersion(const std::string& block, unsigned version[4])
{
    // VS_FIXEDFILEINFO: the signature, the structure's version, then the file version as two
    // double words, most significant first, each holding two parts.
    static const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    for (std::size_t at = 0; at + 16 <= block.size(); at += 4) {
        if (block.compare(at, 4, signature, 4) != 0)
            continue;
        auto word = [&](std::size_t offset) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(block.data() + offset);
            return static_cast<unsigned>(bytes[0] | (bytes[1] << 8));
        };
        version[0] = word(at + 10);
        version[1] = word(at + 8);
        version[2] = word(at + 14);
        version[3] = word(at + 12);
        return true;
    }
    return false;
}

std::string uninstallQuestion(const std::string& folder)
{
    return "Quintarel をアンインストールします。\n" + folder +
           "\n\nご自分のデータも削除しますか?\n"
           "  ・ランチャーフォルダー「app」と、保存したリストの「seq」フォルダー\n"
           "  ・設定 (HKEY_CURRENT_USER\\Software\\Brisvane\\Quintarel)\n\n"
           "[はい] データも削除する  [いいえ] データは残す  [キャンセル] 中止";
}

std::string notInstalledText()
{
    return "Quintarel はインストールされていません。";
}

std::string uninstalledText(const std::string& folder, bool folderLeft)
{
    std::string text = "Quintarel をアンインストールしました。";
    if (folderLeft)
        text += "\n" + folder + " には、ご自分のファイルが残っています。";
    return text;
}

std::string uninstallAbandonedText()
{
    return "アンインストールを中止します";
}

}  // namespace installer
