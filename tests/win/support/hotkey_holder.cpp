#include "tests/win/support/hotkey_holder.h"

#include "common/path_text.h"
#include "framework/application_win.h"

#include <string>

bool hotkeyTaken(UINT modifiers, UINT virtualKey)
{
    constexpr int probeId = 0x7ABC;
    if (!RegisterHotKey(nullptr, probeId, modifiers, virtualKey))
        return true;
    UnregisterHotKey(nullptr, probeId);
    return false;
}

HotkeyHolder::HotkeyHolder(UINT modifiers, UINT virtualKey)
{
    std::string directory;
    parentDirectory(app::modulePath(), directory);
    std::string command = "\"" + directory + "\\qdriver.exe\" hold-hotkey " +
                          std::to_string(modifiers) + " " + std::to_string(virtualKey) + " 60000";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        return;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (hotkeyTaken(modifiers, virtualKey)) {
            holding_ = true;
            break;
        }
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
}

HotkeyHolder::~HotkeyHolder()
{
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}
