#include "tests/win/support/win_test_support.h"

#include "tests/support/files_and_processes_win.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <sstream>

// Every test program keeps its settings where the launcher of its name would.
const bool testProfileNamed = (app::setProfileRoot("Brisvane", app::moduleBaseName()), true);

MessageBoxRecorder* MessageBoxRecorder::current_ = nullptr;

MessageBoxRecorder::MessageBoxRecorder()
{
    current_ = this;
    setMessageBoxFunction(record);
    setWideMessageBoxFunction(recordWide);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxFunction(nullptr);
    setWideMessageBoxFunction(nullptr);
    current_ = nullptr;
}

int MessageBoxRecorder::record(HWND owner, const char* text, const char* caption, UINT flags)
{
    current_->boxes_.push_back({owner, text ? text : "", caption ? caption : "", flags, {}});
    return current_->answer();
}

int MessageBoxRecorder::recordWide(HWND owner, const wchar_t* text, const wchar_t*, UINT flags)
{
    current_->boxes_.push_back({owner, "", "", flags, text ? text : L""});
    return current_->answer();
}

int MessageBoxRecorder::answer()
{
    if (answers_.empty())
        return IDOK;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

TempFolder::TempFolder(const std::string& name)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    removeTree(path_);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const
{
    std::string path = file(name);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

bool removeTree(const std::string& path)
{
    return test_support::removeTree(path);
}

std::wstring widePath(const std::string& path)
{
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    return wide;
}

std::string readWideFile(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool fileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string testProfileKey()
{
    return "Software\\Brisvane\\" + app::moduleBaseName();
}

void writeRawProfileValue(const std::string& section, const std::string& name, DWORD type,
                          const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (testProfileKey() + "\\" + section).c_str(), 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

namespace {

template <class Char>
HDROP dropOf(const std::vector<std::basic_string<Char>>& paths, BOOL wide)
{
    std::basic_string<Char> names;
    for (const auto& path : paths)
        names += path + Char(0);
    names += Char(0);
    std::size_t bytes = names.size() * sizeof(Char);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide;
    memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), bytes);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

HDROP makeDrop(const std::vector<std::string>& paths)
{
    return dropOf(paths, FALSE);
}

HDROP makeDrop(const std::vector<std::wstring>& paths)
{
    return dropOf(paths, TRUE);
}

void clearTestProfile()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, testProfileKey().c_str());
}

bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
    return true;
}

std::vector<ThreadTimer*> ThreadTimer::running_;

ThreadTimer::ThreadTimer(UINT periodMs, std::function<void()> action) : action_(std::move(action))
{
    id_ = SetTimer(nullptr, 0, periodMs, fire);
    running_.push_back(this);
}

ThreadTimer::~ThreadTimer()
{
    KillTimer(nullptr, id_);
    running_.erase(std::find(running_.begin(), running_.end(), this));
}

VOID CALLBACK ThreadTimer::fire(HWND, UINT, UINT_PTR id, DWORD)
{
    // A tick can still be queued for a timer that has ended: it finds nothing.
    for (ThreadTimer* timer : running_) {
        if (timer->id_ == id) {
            timer->action_();
            return;
        }
    }
}


void pumpPostedMessages()
{
    const UINT marker = WM_APP + 0x3FF0;
    PostThreadMessageA(GetCurrentThreadId(), marker, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == marker)
            return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool processRunning(const std::string& exeName)
{
    return test_support::processCount(exeName) > 0;
}

NextDialog* NextDialog::current_ = nullptr;

NextDialog::NextDialog(std::function<void(HWND)> action) : action_(std::move(action))
{
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

NextDialog::~NextDialog()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK NextDialog::hook(int code, WPARAM wParam, LPARAM lParam)
{
    NextDialog* self = current_;
    if (self && code == HCBT_ACTIVATE && !self->seen_) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(window, className, sizeof(className));
        if (std::string(className) == "#32770") {
            self->seen_ = true;
            self->window_ = window;
            // Act once the dialog is fully up and running its own loop.
            SetTimer(nullptr, 0, 50, fire);
        }
    }
    return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

VOID CALLBACK NextDialog::fire(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    NextDialog* self = current_;
    if (self && self->action_) {
        auto action = std::move(self->action_);
        self->action_ = nullptr;
        action(self->window_);
    }
}
