// Kernel objects a message loop waits on together with its messages, each with what to do when
// it is signalled: the program's one thread never blocks on a message alone while something
// else it watches has happened, and needs no worker thread or polling timer. Each loop waits on
// the set its owner keeps, so a loop serves only what was registered for it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class WaitSet {
public:
    WaitSet() = default;
    WaitSet(const WaitSet&) = delete;
    WaitSet& operator=(const WaitSet&) = delete;

    // The handler runs on the loop that waits on this set when the handle is signalled. A
    // handle stays registered until removed; a handler may remove its own handle.
    void add(HANDLE handle, std::function<void()> onSignal);
    void remove(HANDLE handle);
    bool holds(HANDLE handle) const;

    // Waits until a message is queued, a handle of this set is signalled (its handler has run
    // then), the extra handle is signalled, or the time is up. Answers true when the extra
    // handle is signalled.
    bool waitForMessageOrSignal(DWORD timeoutMs, HANDLE extra = nullptr);

private:
    struct Waitable {
        HANDLE handle;
        std::function<void()> onSignal;
    };
    std::vector<Waitable> waitables_;
};
