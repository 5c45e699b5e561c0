// Kernel objects the user-interface thread waits on together with its messages, each with what
// to do when it is signalled: the program's one thread never blocks on a message alone while
// something else it watches has happened, and needs no worker thread or polling timer.
#pragma once

#include <windows.h>

#include <functional>

namespace waitables {

// The handler runs on the thread's message loops when the handle is signalled. A handle stays
// registered until removed; a handler may remove its own handle.
void add(HANDLE handle, std::function<void()> onSignal);
void remove(HANDLE handle);

// Waits until a message is queued, a registered handle is signalled (its handler has run
// then), the extra handle is signalled, or the time is up. Answers true when the extra handle
// is signalled.
bool waitForMessageOrSignal(DWORD timeoutMs, HANDLE extra = nullptr);

}  // namespace waitables
