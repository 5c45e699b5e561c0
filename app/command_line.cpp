#include "app/command_line.h"

std::string shortcutBaseName(const std::string& fileName)
{
    // A dot is never the second byte of a double-byte character (those are 0x40 and above).
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return fileName;
    return fileName.substr(0, dot);
}

std::string shortcutQuestion(const std::vector<std::string>& fileNames, const std::string& folder)
{
    std::string text;
    for (const std::string& name : fileNames)
        text += name + "\n";
    text += "\nを ";
    text += folder;
    text += " に\nショートカット登録しますか?";
    return text;
}

std::string shortcutPathFor(const std::string& folder, const std::string& fileName)
{
    return folder + "\\" + shortcutBaseName(fileName) + ".lnk";
}

bool isDriveRoot(const std::string& path)
{
    bool letter = path.size() >= 2 && ((path[0] >= 'A' && path[0] <= 'Z') ||
                                       (path[0] >= 'a' && path[0] <= 'z'));
    if (!letter || path[1] != ':')
        return false;
    return path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/'));
}

std::string driveRootName(const std::string& path)
{
    return std::string("ドライブ ") + static_cast<char>(path[0] & ~0x20);
}

std::string numberedShortcutPath(const std::string& folder, const std::string& baseName, int n)
{
    std::string name = n <= 1 ? baseName : baseName + " (" + std::to_string(n) + ")";
    return folder + "\\" + name + ".lnk";
}
