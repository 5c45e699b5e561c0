// Helpers of the Windows tests: recording message boxes, temporary folders, a clean profile, and
// pumping messages while waiting for something.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Replaces every message box of the program for its life: records what would be shown and
// answers from a queue (IDOK when it runs dry).
class MessageBoxRecorder {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
        // A box shown with a text the code page cannot hold (text is then empty).
        std::wstring wideText;
    };

    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void answerNext(int answer) { answers_.push_back(answer); }
    const std::vector<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }

private:
    static int record(HWND owner, const char* text, const char* caption, UINT flags);
    static int recordWide(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
    int answer();
    static MessageBoxRecorder* current_;
    std::vector<Box> boxes_;
    std::deque<int> answers_;
};

// A folder of its own under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "qtest");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Writes a file with the given bytes and returns its path.
    std::string write(const std::string& name, const std::string& bytes = "x") const;

private:
    std::string path_;
};

bool removeTree(const std::string& path);
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
std::string readFile(const std::string& path);
// For names the code page cannot hold: the ANSI path in UTF-16, and a file read by a wide path.
std::wstring widePath(const std::string& path);
std::string readWideFile(const std::wstring& path);

// A DROPFILES block as the shell hands it over, with ANSI or wide names; whoever takes it
// releases it.
HDROP makeDrop(const std::vector<std::string>& paths);
HDROP makeDrop(const std::vector<std::wstring>& paths);

// The profile root of this test program (Software\Brisvane\<program name>), emptied.
void clearTestProfile();
std::string testProfileKey();
// A value of any registry type in a section of the test profile, as a damaged profile holds it.
void writeRawProfileValue(const std::string& section, const std::string& name, DWORD type,
                          const void* data, DWORD size);

// Processes the thread's messages until the condition holds or the time runs out.
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Handles every message posted to this thread until now, and what those post in turn before
// the marker: whatever the code under test posted to act later has had its turn.
void pumpPostedMessages();
// Whether a process runs whose program file has this name (e.g. "first.exe").
bool processRunning(const std::string& exeName);

// Runs the action every period from whatever message loop this thread is in (a menu's, a modal
// dialog's, the code under test's own), until it is destroyed.
class ThreadTimer {
public:
    ThreadTimer(UINT periodMs, std::function<void()> action);
    ~ThreadTimer();
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

private:
    static VOID CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD);
    // A thread timer carries no data of its own: its id finds it.
    static std::vector<ThreadTimer*> running_;
    std::function<void()> action_;
    UINT_PTR id_ = 0;
};

// Runs the action once the next dialog window of this thread is up (seen by a CBT hook),
// e.g. to press a button of a modal dialog opened by the code under test.
class NextDialog {
public:
    explicit NextDialog(std::function<void(HWND)> action);
    ~NextDialog();
    NextDialog(const NextDialog&) = delete;
    NextDialog& operator=(const NextDialog&) = delete;
    bool seen() const { return seen_; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static VOID CALLBACK fire(HWND, UINT, UINT_PTR, DWORD);
    static NextDialog* current_;
    HHOOK hook_ = nullptr;
    HWND window_ = nullptr;
    bool seen_ = false;
    std::function<void(HWND)> action_;
};
