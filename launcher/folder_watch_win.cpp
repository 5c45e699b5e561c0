#include "launcher/folder_watch_win.h"

#include "framework/waitables_win.h"

namespace {

constexpr DWORD watchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

}  // namespace

FolderWatch::~FolderWatch()
{
    stop();
}

void FolderWatch::attach(HWND owner, UINT_PTR timerId, std::function<void()> onSettled)
{
    owner_ = owner;
    timerId_ = timerId;
    onSettled_ = std::move(onSettled);
}

void FolderWatch::follow(const std::string& folder)
{
    if (folder == folder_ && notification_)
        return;
    stop();
    folder_ = folder;
    if (folder.empty())
        return;
    notification_.reset(FindFirstChangeNotificationA(folder.c_str(), FALSE, watchedChanges));
    if (notification_)
        arm();
}

void FolderWatch::stop()
{
    if (notification_)
        waitables::remove(notification_.get());
    notification_.reset();
    if (settling_ && owner_)
        KillTimer(owner_, timerId_);
    settling_ = false;
}

void FolderWatch::arm()
{
    waitables::add(notification_.get(), [this] { noteChange(); });
}

void FolderWatch::noteChange()
{
    // Not waited on again until the quiet time is over: a folder that changes all the time, or
    // a handle that stays signalled, costs one wake-up per quiet time, not a busy loop.
    waitables::remove(notification_.get());
    if (!FindNextChangeNotification(notification_.get())) {
        // The folder went (a removed stick, a deleted folder): the menu stays as it was, and
        // the next switch or refresh watches anew.
        stop();
        return;
    }
    if (!settling_) {
        settling_ = true;
        burstStart_ = GetTickCount();
    }
    SetTimer(owner_, timerId_, quietMs, nullptr);
}

bool FolderWatch::folderExists() const
{
    DWORD attributes = GetFileAttributesA(folder_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderWatch::settleOnTimer(UINT_PTR timerId)
{
    if (timerId != timerId_ || !settling_)
        return false;
    KillTimer(owner_, timerId_);
    if (!folderExists()) {
        stop();
        return true;
    }
    bool changedAgain = WaitForSingleObject(notification_.get(), 0) == WAIT_OBJECT_0;
    if (changedAgain) {
        FindNextChangeNotification(notification_.get());
        if (GetTickCount() - burstStart_ < longestWaitMs) {
            SetTimer(owner_, timerId_, quietMs, nullptr);
            return true;
        }
    }
    settling_ = false;
    arm();
    if (onSettled_)
        onSettled_();
    return true;
}
