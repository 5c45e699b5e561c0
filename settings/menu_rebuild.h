// Why the menus are built again, and what follows from each reason: callers say why, and the
// consequences (the current folder read back, the tray tip, the watch, the folder items of the
// tray popup) are decided here, in one place.
#pragma once

enum class RebuildReason {
    // The program starts: everything is read and the folder watched.
    start,
    // Another folder became the current one (a switch, or Done in the folder settings).
    folderSwitch,
    // A set of display settings changed (the standard set or a folder's own).
    settingChanged,
    // The settings of a folder other than the current one changed, or Cancel: only the folder
    // list of the tray popup and the folder settings window shows it.
    folderListChanged,
    // The watched folder changed on disk.
    watch,
    // The user's メニュー更新 (also Alt with a click, and a second instance that added
    // shortcuts): everything read again.
    menuUpdate,
};

struct RebuildPlan {
    // The launcher menu is built again.
    bool launcherMenu = false;
    // The current folder is read back from the profile and shown (edit box, tray tip).
    bool readsCurrentFolder = false;
    // The set in force is chosen again and its font made anew.
    bool reloadsSettings = false;
    // The folder is watched anew at its path, whatever was watched before.
    bool watchesAnew = false;
    // The folder list is read back, for the tray popup and the folder settings window.
    bool folderList = false;
    // The launcher menu takes what the last build learned of entries that have not changed:
    // only the watch's builds, since one file that arrived changes nothing else. The user's
    // メニュー更新 is the way to say "read everything again".
    bool reusesUnchanged = false;

    RebuildPlan& operator|=(const RebuildPlan& other)
    {
        readsCurrentFolder |= other.readsCurrentFolder;
        reloadsSettings |= other.reloadsSettings;
        watchesAnew |= other.watchesAnew;
        folderList |= other.folderList;
        // A build that reads everything serves a watch's request too, not the other way round.
        reusesUnchanged = (reusesUnchanged || !launcherMenu) &&
                          (other.reusesUnchanged || !other.launcherMenu) &&
                          (launcherMenu || other.launcherMenu);
        launcherMenu |= other.launcherMenu;
        return *this;
    }
    bool any() const
    {
        return launcherMenu || readsCurrentFolder || reloadsSettings || watchesAnew || folderList;
    }
};

inline RebuildPlan planFor(RebuildReason reason)
{
    switch (reason) {
    case RebuildReason::start:
    case RebuildReason::folderSwitch:
    case RebuildReason::menuUpdate:
        return {true, true, true, true, true};
    case RebuildReason::settingChanged:
        return {true, true, true, false, true};
    case RebuildReason::folderListChanged:
        return {false, false, false, false, true};
    case RebuildReason::watch:
        return {true, true, false, false, false, true};
    }
    return {};
}

// Whoever builds the menus takes requests here; the folder settings ask through it without
// knowing the launcher.
class RebuildRequests {
public:
    virtual ~RebuildRequests() = default;
    virtual void requestRebuild(RebuildReason reason) = 0;
};
