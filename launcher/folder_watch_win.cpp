#include "launcher/folder_watch_win.h"

#include <dbt.h>

namespace {

// Last-write changes too: a shortcut whose icon was changed in its property sheet, or a program
// its updater replaced, keeps its name.
constexpr DWORD watchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                 FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE;

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
        message(WM_DEVICECHANGE, &FolderWatch::followDeviceChange),
    };
    return mapOf(entries);
}

void FolderWatch::follow(const std::string& folder)
{
    if (folder == folder_ && notification_)
        return;
    followAnew(folder);
}

bool FolderWatch::followAnew(const std::string& folder)
{
    stop();
    folder_ = folder;
    if (folder.empty())
        return false;
    notification_.reset(FindFirstChangeNotificationA(folder.c_str(), FALSE, watchedChanges));
    if (!notification_)
        return false;
    arm();
    openFolder();
    return true;
}

namespace {

HANDLE openDirectory(const std::string& path)
{
    return CreateFileA(path.c_str(), FILE_LIST_DIRECTORY,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool sameFile(HANDLE a, HANDLE b)
{
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

void FolderWatch::openFolder()
{
    directory_.reset(openDirectory(folder_));
    HWND window = hwnd();
    if (!directory_ || !window)
        return;
    DEV_BROADCAST_HANDLE filter{};
    filter.dbch_size = sizeof(filter);
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = directory_.get();
    removalNotice_.reset(
        RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

bool FolderWatch::stillAtItsPath() const
{
    if (!notification_)
        return false;
    // Without a handle of its own there is nothing to compare: the watch is taken for it.
    if (!directory_)
        return true;
    FileHandle atPath(openDirectory(folder_));
    return atPath && sameFile(atPath.get(), directory_.get());
}

void FolderWatch::releaseHandles()
{
    releaseForRemoval();
    removalNotice_.reset();
}

void FolderWatch::stop()
{
    releaseHandles();
}

void FolderWatch::releaseForRemoval()
{
    if (notification_)
        window().waits().remove(notification_.get());
    notification_.reset();
    directory_.reset();
    if (settling_ && hwnd())
        KillTimer(hwnd(), timerId_);
    settling_ = false;
}

MessageResult FolderWatch::followDeviceChange(WPARAM event, LPARAM data)
{
    auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_HANDLE)
        return MessageResult::unhandled();
    auto* notice = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(data);
    if (!removalNotice_ || notice->dbch_hdevnotify != removalNotice_.get())
        return MessageResult::unhandled();
    switch (event) {
    case DBT_DEVICEQUERYREMOVE:
        // An open handle makes Safely Remove fail with "device in use": let go of the folder.
        releaseForRemoval();
        return MessageResult::of(TRUE);
    case DBT_DEVICEQUERYREMOVEFAILED:
        followAnew(folder_);
        return MessageResult::of(TRUE);
    case DBT_DEVICEREMOVECOMPLETE:
    case DBT_DEVICEREMOVEPENDING:
        // Gone: the next popup watches again once the folder is back.
        releaseHandles();
        return MessageResult::of(TRUE);
    default:
        return MessageResult::unhandled();
    }
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
        // The folder went (a removed stick, a deleted folder): the menu stays as it was until
        // the next popup, which watches the folder again once it is back.
        releaseHandles();
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

bool FolderWatch::takeChange()
{
    if (!notification_)
        return false;
    bool changed = settling_;
    if (WaitForSingleObject(notification_.get(), 0) == WAIT_OBJECT_0) {
        changed = true;
        FindNextChangeNotification(notification_.get());
    }
    if (settling_) {
        KillTimer(hwnd(), timerId_);
        settling_ = false;
        arm();
    }
    return changed;
}

MessageResult FolderWatch::settleOnTimer(WPARAM timerId, LPARAM)
{
    if (timerId != timerId_ || !settling_)
        return MessageResult::unhandled();
    KillTimer(hwnd(), timerId_);
    if (!folderExists()) {
        // A removed stick leaves the last menu as it was; the next popup watches the folder
        // again, and builds its menu, once it is back.
        releaseHandles();
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
