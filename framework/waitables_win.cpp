#include "framework/waitables_win.h"

#include <utility>

void WaitSet::add(HANDLE handle, std::function<void()> onSignal)
{
    remove(handle);
    waitables_.push_back({handle, std::move(onSignal)});
}

void WaitSet::remove(HANDLE handle)
{
    for (auto it = waitables_.begin(); it != waitables_.end(); ++it) {
        if (it->handle == handle) {
            waitables_.erase(it);
            return;
        }
    }
}

bool WaitSet::holds(HANDLE handle) const
{
    for (const Waitable& waitable : waitables_)
        if (waitable.handle == handle)
            return true;
    return false;
}

bool WaitSet::waitForMessageOrSignal(DWORD timeoutMs, HANDLE extra)
{
    std::vector<HANDLE> handles;
    if (extra)
        handles.push_back(extra);
    for (const Waitable& waitable : waitables_) {
        // The wait takes at most MAXIMUM_WAIT_OBJECTS - 1 handles beside the queue.
        if (handles.size() + 1 >= MAXIMUM_WAIT_OBJECTS)
            break;
        handles.push_back(waitable.handle);
    }
    DWORD result = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(),
                                               timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result >= WAIT_OBJECT_0 + handles.size())
        return false;
    HANDLE signalled = handles[result - WAIT_OBJECT_0];
    if (signalled == extra)
        return true;
    // A copy: the handler may remove its registration, or add another.
    for (const Waitable& waitable : waitables_) {
        if (waitable.handle == signalled) {
            std::function<void()> handler = waitable.onSignal;
            handler();
            break;
        }
    }
    return false;
}
