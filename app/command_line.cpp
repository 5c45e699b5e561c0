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
