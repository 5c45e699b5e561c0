#include "launcher/folder_watch_win.h"


namespace {

constexpr DWORD watchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

}  // namespace

FolderWatch::FolderWatch(Dialog& window, std::function<void()> onSettled)
    : WindowPart(window), timerId_(window.newTimerId()), onSettled_(std::move(onSettled))
{
}

FolderWatch::~FolderWatch()
{
    stop();
}

WindowPart::MessageMap FolderWatch::messageMap() const
{
    static const MessageMapEntry entries[] = {
        message(WM_TIMER, &FolderWatch::settleOnTimer),
    };
    return mapOf(entries);
}

void FolderWatch::follow(const std::string& folder)
{
    if (folder == folder_ && notification_)
        return;
    followAnew(folder);
}

void FolderWatch::followAnew(const std::string& folder)
{
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
        window().waits().remove(notification_.get());
    notification_.reset();
    if (settling_ && hwnd())
        KillTimer(hwnd(), timerId_);
    settling_ = false;
}

void FolderWatch::arm()
{
    window().waits().add(notification_.get(), [this] { noteChange(); });
}

void FolderWatch::noteChange()
{
    // Not waited on again until the quiet time is over: a folder that changes all the time, or
    // a handle that stays signalled, costs one wake-up per quiet time, not a busy loop.
    window().waits().remove(notification_.get());
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
    SetTimer(hwnd(), timerId_, quietMs, nullptr);
}

bool FolderWatch::folderExists() const
{
    DWORD attributes = GetFileAttributesA(folder_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

MessageResult FolderWatch::settleOnTimer(WPARAM timerId, LPARAM)
{
    if (timerId != timerId_ || !settling_)
        return MessageResult::unhandled();
    KillTimer(hwnd(), timerId_);
    if (!folderExists()) {
        stop();
        return MessageResult::of(0);
    }
    bool changedAgain = WaitForSingleObject(notification_.get(), 0) == WAIT_OBJECT_0;
    if (changedAgain) {
        FindNextChangeNotification(notification_.get());
        if (GetTickCount() - burstStart_ < longestWaitMs) {
            SetTimer(hwnd(), timerId_, quietMs, nullptr);
            return MessageResult::of(0);
        }
    }
    settling_ = false;
    arm();
    if (onSettled_)
        onSettled_();
    return MessageResult::of(0);
}
