// The NowFolder section of the profile: the current launcher folder, the text of the menu's
// folder item and the launcher's own hot key. Read and written here alone.
#pragma once

#include "settings/launcher_settings.h"

#include <string>

class ProfileStore;

class NowFolder {
public:
    explicit NowFolder(ProfileStore& profile) : profile_(profile) {}

    // The current folder as stored; empty when none is.
    std::string folder() const;
    // False when the profile refused it (the system's error is the last error then).
    bool storeFolder(const std::string& path);

    // The folder item's text; the default when none is stored.
    std::string folderItemText() const;
    void storeFolderItemText(const std::string& text);

    // Only the low word holds a key: a damaged value gives no key of a high word's bits.
    HotkeyWord launcherHotkey() const;
    void storeLauncherHotkey(HotkeyWord key);

    ProfileStore& profile() const { return profile_; }

private:
    ProfileStore& profile_;
};
