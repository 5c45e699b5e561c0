// Watches the current launcher folder for entries added, removed or renamed (and attribute
// changes, which may change an icon), and tells its owner once a burst of changes has come to
// rest: a copy of hundreds of files is one change to the menu, not hundreds.
#pragma once

#include "framework/dialog_win.h"
#include "framework/handles_win.h"

#include <windows.h>

#include <functional>
#include <string>

// A part of the window that owns it: the quiet time runs on a timer of that window, and the
// change handle is waited on by that window's message loop.
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
    // watch was given up (it had gone) is watched anew.
    void follow(const std::string& folder);
    // Watches the folder at this path anew, whatever was watched: a folder renamed away and
    // made again under its name is another folder than the one a watch follows.
    void followAnew(const std::string& folder);
    void stop();
    bool isWatching() const { return static_cast<bool>(notification_); }

private:
    MessageMap messageMap() const override;
    MessageResult settleOnTimer(WPARAM timerId, LPARAM);
    void arm();
    void noteChange();
    bool folderExists() const;

    UINT_PTR timerId_;
    std::function<void()> onSettled_;
    std::string folder_;
    ChangeNotificationHandle notification_;
    bool settling_ = false;
    DWORD burstStart_ = 0;
};
