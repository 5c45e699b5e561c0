// Watches the current launcher folder for entries added, removed, renamed or rewritten in place
// (and attribute changes, which may change an icon), and tells its owner once a burst of
// changes has come to rest: a copy of hundreds of files is one change to the menu, not
// hundreds.
#pragma once

#include "framework/dialog_win.h"
#include "framework/handles_win.h"

#include <windows.h>

#include <functional>
#include <string>

// A part of the window that owns it: the quiet time runs on a timer of that window, the change
// handle is waited on by that window's message loop, and the system's question before a volume
// is removed comes to that window.
class FolderWatch final : public WindowPart {
public:
    // Quiet time after the last change before the owner is told.
    static constexpr UINT quietMs = 300;
    // During a change that never rests (a long copy), the owner is told this often at least.
    static constexpr DWORD longestWaitMs = 3000;

    // onSettled runs when a burst is over.
    FolderWatch(Dialog& window, std::function<void()> onSettled);
    ~FolderWatch() override;

    // Watches this folder from now on. The folder watched already keeps its watch; one whose
    // watch was given up is watched anew.
    void follow(const std::string& folder);
    // Watches the folder at this path anew, whatever was watched: a folder renamed away and
    // made again under its name is another folder than the one a watch follows. False when it
    // cannot be watched now (gone, or its volume being removed).
    bool followAnew(const std::string& folder);
    void stop();
    bool isWatching() const { return static_cast<bool>(notification_); }
    const std::string& folder() const { return folder_; }
    // Whether a burst of changes is being waited out before the owner is told.
    bool settling() const { return settling_; }
    // What the system names in its notices about the folder's volume (null: none asked for).
    HDEVNOTIFY removalNotice() const { return removalNotice_.get(); }

    // Before a popup: whether the folder changed since the last time the owner was told (a
    // change not yet settled, or one no loop has waited for, as under a modal dialog). The
    // change counts as told from now on.
    bool takeChange();
    // Whether the folder at the watched path is still the one watched: one renamed away, or
    // recycled, and made again under its name is another folder.
    bool stillAtItsPath() const;

private:
    MessageMap messageMap() const override;
    MessageResult settleOnTimer(WPARAM timerId, LPARAM);
    MessageResult followDeviceChange(WPARAM event, LPARAM data);
    void arm();
    void noteChange();
    bool folderExists() const;
    // Opens the folder and asks the system to tell before its volume goes, so the watch can
    // let go of it.
    void openFolder();
    void releaseHandles();
    // Lets go of the folder and its handle, but keeps asking, so a failed removal is told.
    void releaseForRemoval();

    UINT_PTR timerId_;
    std::function<void()> onSettled_;
    std::string folder_;
    ChangeNotificationHandle notification_;
    // The folder watched, opened so the system can name it in its removal notices and so it can
    // be told from another folder made under its path.
    FileHandle directory_;
    DeviceNotification removalNotice_;
    bool settling_ = false;
    DWORD burstStart_ = 0;
};
