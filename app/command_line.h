// The texts and names of turning command-line files into shortcuts.
#pragma once

#include <string>
#include <vector>

// The shortcut's base name for a file name: cut at the last dot unless there is none or it is
// the first character (memo.txt gives memo, archive.tar.gz archive.tar, .profile stays whole).
std::string shortcutBaseName(const std::string& fileName);

// The question asked before the shortcuts are made: each name on a line of its own, then the
// folder.
std::string shortcutQuestion(const std::vector<std::string>& fileNames, const std::string& folder);

// The shortcut file for a name in the folder: folder, "\", name, ".lnk".
std::string shortcutPathFor(const std::string& folder, const std::string& fileName);

// A drive root ("C:\", "C:") names no file: the name its shortcut and the question use.
bool isDriveRoot(const std::string& path);
std::string driveRootName(const std::string& path);

// The nth candidate for a shortcut of the base name in the folder: "base.lnk" first, then
// "base (2).lnk", "base (3).lnk", ...
std::string numberedShortcutPath(const std::string& folder, const std::string& baseName, int n);
