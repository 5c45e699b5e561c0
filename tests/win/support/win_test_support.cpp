#include "tests/win/support/win_test_support.h"

#include "framework/application_win.h"
#include "framework/message_box_win.h"

#include <shlwapi.h>

#include <fstream>
#include <sstream>

MessageBoxRecorder* MessageBoxRecorder::current_ = nullptr;

MessageBoxRecorder::MessageBoxRecorder()
{
    current_ = this;
    setMessageBoxFunction(record);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxFunction(nullptr);
    current_ = nullptr;
}

int MessageBoxRecorder::record(HWND owner, const char* text, const char* caption, UINT flags)
{
    MessageBoxRecorder* self = current_;
    self->boxes_.push_back({owner, text ? text : "", caption ? caption : "", flags});
    if (self->answers_.empty())
        return IDOK;
    int answer = self->answers_.front();
    self->answers_.pop_front();
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
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE;
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

void pumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    pumpUntil([&] { return GetTickCount() - start >= milliseconds; }, milliseconds + 1000);
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
