// Shell shortcut files (.lnk), written and read through the shell's link object. COM must be
// initialised on the calling thread.
#pragma once

#include <string>

// Writes a shortcut at shortcutPath to target with the argument text; its working directory is
// the target's parent directory (or the target itself when it has none). Replaces an existing
// file.
bool createShortcut(const std::string& target, const std::string& shortcutPath,
                    const std::string& arguments);

// Reads a shortcut without resolving it: the target in its short (8.3) form and, when asked for,
// the argument text. Both are at most 259 characters.
bool readShortcut(const std::string& shortcutPath, std::string& target,
                  std::string* arguments = nullptr);
