// Watches the current launcher folder for entries added, removed or renamed (and attribute
// changes, which may change an icon), and tells its owner once a burst of changes has come to
// rest: a copy of hundreds of files is one change to the menu, not hundreds.
#pragma once

#include "framework/handles_win.h"

#include <windows.h>

#include <functional>
#include <string>

class FolderWatch {
public:
    // Quiet time after the last change before the owner is told.
    static constexpr UINT quietMs = 300;
    // During a change that never rests (a long copy), the owner is told this often at least.
    static constexpr DWORD longestWaitMs = 3000;

    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The owner's timer timerId measures the quiet time; onSettled runs when a burst is over.
    void attach(HWND owner, UINT_PTR timerId, std::function<void()> onSettled);
    // Watches this folder from now on. The folder watched already keeps its watch; one whose
    // watch was given up (it had gone) is watched anew.
    void follow(const std::string& folder);
    void stop();
    // The owner's WM_TIMER; false for a timer that is not the watch's.
    bool settleOnTimer(UINT_PTR timerId);
    bool isWatching() const { return static_cast<bool>(notification_); }

private:
    void arm();
    void noteChange();
    bool folderExists() const;

    HWND owner_ = nullptr;
    UINT_PTR timerId_ = 0;
    std::function<void()> onSettled_;
    std::string folder_;
    ChangeNotificationHandle notification_;
    bool settling_ = false;
    DWORD burstStart_ = 0;
};
