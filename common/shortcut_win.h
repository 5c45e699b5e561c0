// Shell shortcut files (.lnk), written and read through the shell's link object. COM must be
// initialised on the calling thread.
#pragma once

#include <cstdint>
#include <string>

// Writes a shortcut at shortcutPath to target with the argument text; its working directory is
// the target's parent directory (or the target itself when it has none). Replaces an existing
// file. On failure the reason is the thread's last error.
bool createShortcut(const std::string& target, const std::string& shortcutPath,
                    const std::string& arguments);

// The same through the link object's wide interface, for a target or shortcut path (UTF-16)
// that the ANSI code page cannot hold.
bool createShortcutWide(const std::wstring& target, const std::wstring& shortcutPath,
                        const std::wstring& arguments = {});

// The target of a shortcut at a wide path, read through the wide interface ("" when it cannot
// be read).
std::wstring shortcutTargetWide(const std::wstring& shortcutPath);

// The attributes the shortcut's own record gives its target as it was when the shortcut was
// made (in the file's header), read without the link object: a look at 76 bytes, cheap enough
// for every shortcut of a large folder. 0 when the record gives none (Wine's links) or the file
// is no shortcut.
std::uint32_t shortcutRecordedAttributes(const std::wstring& shortcutPath);

// The same and, when asked for, the argument text (false when the shortcut cannot be read).
bool readShortcutWide(const std::wstring& shortcutPath, std::wstring& target,
                      std::wstring* arguments = nullptr);

// The system image index of the picture a shortcut points at, when it shows its target's picture
// (it names no icon of its own): its target asked of the shell by item list, with the size flag
// (SHGFI_LARGEICON or SHGFI_SMALLICON). -1 when it names an icon or cannot be read.
// The target's path, when asked for, is given whenever the shortcut can be read.
int shortcutTargetPicture(const std::wstring& shortcutPath, unsigned sizeFlag,
                          std::wstring* targetPath = nullptr);

// Reads a shortcut without resolving it, through the wide interface: its target and, when asked
// for, its argument text in the code page. False when it cannot be read or when the code page
// does not hold both exactly (their look-alikes would name other files): read it wide then.
bool readShortcut(const std::string& shortcutPath, std::string& target,
                  std::string* arguments = nullptr);
