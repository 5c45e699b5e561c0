#include "framework/waitables_win.h"

#include <utility>
#include <vector>

namespace {

struct Waitable {
    HANDLE handle;
    std::function<void()> onSignal;
};

std::vector<Waitable>& registered()
{
    static std::vector<Waitable> waitables;
    return waitables;
}

}  // namespace

namespace waitables {

void add(HANDLE handle, std::function<void()> onSignal)
{
    remove(handle);
    registered().push_back({handle, std::move(onSignal)});
}

void remove(HANDLE handle)
{
    auto& all = registered();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->handle == handle) {
            all.erase(it);
            return;
        }
    }
}

bool waitForMessageOrSignal(DWORD timeoutMs, HANDLE extra)
{
    std::vector<HANDLE> handles;
    if (extra)
        handles.push_back(extra);
    for (const Waitable& waitable : registered()) {
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
    for (const Waitable& waitable : registered()) {
        if (waitable.handle == signalled) {
            std::function<void()> handler = waitable.onSignal;
            handler();
            break;
        }
    }
    return false;
}

}  // namespace waitables
