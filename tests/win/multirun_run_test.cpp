// Runs of the multiple-execution window with real child processes: started together or one
// after another, aborted while waiting, shortcuts, a start without a process, and the lists
// run at start-up.
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "framework/waitables_win.h"
#include "resources/resource.h"
#include "tests/win/support/child_program.h"
#include "tests/win/support/multirun_test_support.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

#include <ddeml.h>
#include <shlwapi.h>

#include <functional>

namespace {

class MultiRunRunTest : public MultiRunTestBase {
protected:
    void SetUp() override
    {
        MultiRunTestBase::SetUp();
        window = createMultiRunWindow();
        ASSERT_TRUE(window);
    }
    void TearDown() override
    {
        // Children still running hold their files; they are stopped by their process id.
        for (const std::string& c : children)
            stopChild(readChildRecord(c));
        window.reset();
        MultiRunTestBase::TearDown();
    }

    std::string child(const std::string& name, int sleepMs)
    {
        children.push_back(copyChild(folder.path(), name, sleepMs));
        return children.back();
    }
    void setOrdered(bool ordered)
    {
        CheckDlgButton(window->hwnd(), IDC_RUN_ORDERED, ordered ? BST_CHECKED : BST_UNCHECKED);
    }
    bool allEnded()
    {
        for (const std::string& c : children)
            if (!readChildRecord(c).ended)
                return false;
        return true;
    }

    MessageBoxRecorder boxes;
    TempFolder folder{"qrun"};
    std::vector<std::string> children;
    std::unique_ptr<MultiRunWindow> window;
};

// Runs the action once from the run's own message loop, as soon as the condition holds.
class DuringTheRun {
public:
    DuringTheRun(std::function<bool()> when, std::function<void()> action)
        : when_(std::move(when)), action_(std::move(action)), timer_(50, [this] { actOnce(); })
    {
    }

private:
    void actOnce()
    {
        if (done_ || !when_())
            return;
        done_ = true;
        action_();
    }
    std::function<bool()> when_;
    std::function<void()> action_;
    bool done_ = false;
    ThreadTimer timer_;
};

TEST_F(MultiRunRunTest, WithoutOrderedRunEveryEntryStartsAtOnce)
{
    // Children that end by themselves long after three starts: a run that waited for each
    // would come back only after they ended, and fail here rather than hang.
    for (const char* name : {"a", "b", "c"})
        window->appendEntry(child(name, 8000));
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    window->runList();
    // Back before any child ended; the list and the window are cleared by the run's end.
    for (const std::string& c : children)
        EXPECT_FALSE(readChildRecord(c).ended);
    EXPECT_TRUE(window->entries().empty());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(window->item(IDOK)));
    EXPECT_TRUE(pumpUntil([&] {
        for (const std::string& c : children)
            if (!readChildRecord(c).started)
                return false;
        return true;
    }, 15000));
}

TEST_F(MultiRunRunTest, OrderedRunStartsEachAfterThePreviousEnded)
{
    for (const char* name : {"a", "b", "c"})
        window->appendEntry(child(name, 300));
    sendCommand(*window, IDM_KEEP_LIST, 0);
    sendCommand(*window, IDM_KEEP_WINDOW, 0);
    setOrdered(true);
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    window->runList();
    ASSERT_TRUE(allEnded());
    for (int i = 1; i < 3; ++i)
        EXPECT_LE(readChildRecord(children[i - 1]).end, readChildRecord(children[i]).start);
    EXPECT_EQ(readChildRecord(children[0]).arguments, "");
    // Kept by the after-run options; the last entry started is the one highlighted.
    EXPECT_EQ(window->entries().size(), 3u);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(selectedIndex(*window), 2);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MultiRunRunTest, AbortDuringAWaitEndsTheRunAfterThatMessage)
{
    for (const char* name : {"a", "b", "c"})
        window->appendEntry(child(name, untilStopped));
    sendCommand(*window, IDM_KEEP_LIST, 0);
    setOrdered(true);
    window->showListName("朝.sqx");
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    {
        DuringTheRun abort([&] { return readChildRecord(children[0]).started; }, [&] {
            PostMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(window->item(IDCANCEL)));
        });
        window->runList();
    }
    // The program already started keeps running; nothing after it starts.
    EXPECT_FALSE(readChildRecord(children[0]).ended);
    EXPECT_FALSE(readChildRecord(children[1]).started);
    EXPECT_FALSE(readChildRecord(children[2]).started);
    // The abort empties the list whatever the after-run options say.
    EXPECT_TRUE(window->entries().empty());
    EXPECT_EQ(controlText(window->hwnd()), "複数実行");
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_FALSE(window->isRunning());
}

TEST_F(MultiRunRunTest, EnterStartsARunThatEscapeAbortsThroughTheRunsOwnLoop)
{
    window->appendEntry(child("a", untilStopped));
    window->appendEntry(child("b", 0));
    setOrdered(true);
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    // Enter handled as the program's main loop handles it; the run inside that handling then
    // fetches the Escape in its own loop.
    PostMessageA(window->item(IDC_RUN_LIST), WM_KEYDOWN, VK_RETURN, 0);
    MSG enter;
    ASSERT_TRUE(PeekMessageA(&enter, window->item(IDC_RUN_LIST), WM_KEYDOWN, WM_KEYDOWN,
                             PM_REMOVE));
    {
        DuringTheRun escape([&] { return readChildRecord(children[0]).started; }, [&] {
            PostMessageA(window->item(IDC_RUN_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Dialog::dispatchLoopMessage(enter);
    }
    EXPECT_TRUE(readChildRecord(children[0]).started);
    EXPECT_FALSE(readChildRecord(children[1]).started);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

TEST_F(MultiRunRunTest, ExitDuringAWaitEndsTheRunAndNoRunStartsAfterIt)
{
    window->appendEntry(child("all-day", untilStopped));
    window->appendEntry(child("next", 0));
    setOrdered(true);
    {
        DuringTheRun exit([&] { return readChildRecord(children[0]).started; },
                          [&] { window->endRunForExit(); });
        window->runList();
    }
    EXPECT_FALSE(readChildRecord(children[0]).ended);
    EXPECT_FALSE(readChildRecord(children[1]).started);
    window->appendEntry(children[1]);
    window->runList();
    EXPECT_FALSE(readChildRecord(children[1]).started);
}

TEST_F(MultiRunRunTest, ListChangesDuringARunDoNotChangeWhatRuns)
{
    window->appendEntry(child("a", 1000));
    window->appendEntry(child("b", 0));
    std::string other = child("other", 0);
    std::string otherList = folder.write(
        "other.sqx", "[Quintarel Sequntial Execute File]\n-- \n" + std::to_string(other.size()) +
                         ":" + other + "\n");
    sendCommand(*window, IDM_KEEP_LIST, 0);
    setOrdered(true);
    bool openedDuringTheWait = false;
    {
        DuringTheRun open([&] { return readChildRecord(children[0]).started; }, [&] {
            openedDuringTheWait = !readChildRecord(children[0]).ended;
            window->loadListFile(otherList);
        });
        window->runList();
    }
    EXPECT_TRUE(openedDuringTheWait);
    EXPECT_TRUE(readChildRecord(children[1]).started);
    EXPECT_FALSE(readChildRecord(other).started);
    EXPECT_EQ(window->entries(), std::vector<RunEntry>{entryForPath(other)});
}

TEST_F(MultiRunRunTest, ShortcutStartsItsTargetWithItsArgumentsThenTheEntrys)
{
    std::string target = child("ed", 0);
    std::string shortcut = folder.file("ed.lnk");
    ASSERT_TRUE(createShortcut(target, shortcut, "-a"));
    window->appendEntry(shortcut);
    clickEntry(*window, 0);
    typeParameters(*window, "-b");
    window->appendEntry(child("plain", 0));
    clickEntry(*window, 1);
    typeParameters(*window, "");
    setOrdered(true);
    window->runList();
    EXPECT_EQ(readChildRecord(target).arguments, "-a -b");
    // An emptied field starts the program with one space as its parameters.
    EXPECT_EQ(readChildRecord(children[1]).arguments, " ");

    // A shortcut whose name the code page cannot hold, read through the wide interface.
    std::string other = child("ko", 0);
    std::wstring realShortcut = widePath(folder.path()) + L"\\한국어.lnk";
    ASSERT_TRUE(createShortcutWide(widePath(other), realShortcut, L"-c"));
    std::string shown;
    narrowedExactly(realShortcut.c_str(), shown);
    int index = static_cast<int>(window->entries().size());
    window->appendEntry(shown, fromWide(realShortcut.c_str()));
    clickEntry(*window, index);
    typeParameters(*window, "-d");
    window->runList();
    EXPECT_EQ(readChildRecord(other).arguments, "-c -d");
}

std::string utf8Of(const std::wstring& text)
{
    char utf8[4 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
    return utf8;
}

TEST_F(MultiRunRunTest, AShortcutStartsItsRealTargetNeverTheLookAlikeBesideIt)
{
    // Best fit turns "Música" into "Musica" and "résumé" into "resume": the decoy program
    // there must not start, and the real one gets its arguments as written.
    const std::wstring base = widePath(folder.path());
    const std::wstring real = base + L"\\M\u00fasica\\play.exe";
    ASSERT_TRUE(CreateDirectoryW((base + L"\\M\u00fasica").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(folder.file("Musica").c_str(), nullptr));
    ASSERT_TRUE(MoveFileW(widePath(child("real", 0)).c_str(), real.c_str()));
    children.pop_back();
    std::string decoy = copyChild(folder.file("Musica"), "play", 0);
    std::string shortcut = folder.file("ツール.lnk");
    ASSERT_TRUE(createShortcutWide(real, widePath(shortcut), L"r\u00e9sum\u00e9.doc"));
    // Such a shortcut is never read as ANSI texts, which would be the look-alikes.
    std::string target;
    EXPECT_FALSE(readShortcut(shortcut, target));

    window->appendEntry(shortcut);
    setOrdered(true);
    window->runList();
    ASSERT_TRUE(pumpUntil([&] { return !childRealPaths(real).empty(); }, 5000));
    EXPECT_EQ(childRealPaths(real)[0], utf8Of(real));
    ASSERT_EQ(childCommandLines(real).size(), 1u);
    EXPECT_NE(childCommandLines(real)[0].find(u8"r\u00e9sum\u00e9.doc"), std::string::npos);
    EXPECT_FALSE(readChildRecord(decoy).started);
}

// A served handle gone bad makes the combined wait fail at once; the program's own handle
// still ends the wait when the program ends, without spinning meanwhile.
TEST_F(MultiRunRunTest, AFailingCombinedWaitStillEndsWhenTheProgramEnds)
{
    WaitSet broken;
    bool served = false;
    broken.add(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(0x7ffffff0)), [&] { served = true; });
    window->keepServingDuringRuns(broken);
    window->appendEntry(child("slow", 1000));
    window->appendEntry(child("next", 0));
    setOrdered(true);
    // A run that never ends is aborted after a while, so the test fails instead of hanging.
    ThreadTimer giveUp(8000, [&] { window->abortRun(); });
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernelBefore, &userBefore);
    window->runList();
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernelAfter, &userAfter);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    unsigned long long busyMs = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) -
                                 ticks(userBefore)) / 10000;
    EXPECT_TRUE(readChildRecord(children[1]).started);
    EXPECT_LT(busyMs, 500u);
    EXPECT_FALSE(served);
}

// A DDE server in this process takes documents of a class of its own, as a program that is
// already running does: the shell then starts no process.
class DocumentServer {
public:
    DocumentServer()
    {
        setKey(".qdde", "QuintarelDdeTest");
        setKey("QuintarelDdeTest\\shell\\open\\command", "notepad.exe %1");
        setKey("QuintarelDdeTest\\shell\\open\\ddeexec", "[open(\"%1\")]");
        setKey("QuintarelDdeTest\\shell\\open\\ddeexec\\application", "QuintarelTestServer");
        setKey("QuintarelDdeTest\\shell\\open\\ddeexec\\topic", "System");
        DdeInitializeA(&instance_, callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0);
        service_ = DdeCreateStringHandleA(instance_, "QuintarelTestServer", CP_WINANSI);
        DdeNameService(instance_, service_, nullptr, DNS_REGISTER);
        executes = 0;
    }
    ~DocumentServer()
    {
        DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(instance_, service_);
        DdeUninitialize(instance_);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, ".qdde");
        SHDeleteKeyA(HKEY_CLASSES_ROOT, "QuintarelDdeTest");
        onExecute = nullptr;
    }
    DocumentServer(const DocumentServer&) = delete;
    DocumentServer& operator=(const DocumentServer&) = delete;
    static int executes;
    // Runs inside the shell's own message loop of ShellExecuteExA.
    static std::function<void()> onExecute;

private:
    static void setKey(const char* key, const char* value)
    {
        HKEY handle = nullptr;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr);
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
        RegCloseKey(handle);
    }
    static HDDEDATA CALLBACK callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                      ULONG_PTR)
    {
        if (type == XTYP_CONNECT)
            return reinterpret_cast<HDDEDATA>(TRUE);
        if (type == XTYP_EXECUTE) {
            ++executes;
            if (onExecute)
                onExecute();
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        return nullptr;
    }
    DWORD instance_ = 0;
    HSZ service_ = nullptr;
};
int DocumentServer::executes = 0;
std::function<void()> DocumentServer::onExecute;

TEST_F(MultiRunRunTest, AbortOrExitDispatchedInsideTheShellStopsTheNextStart)
{
    // As a click on 中断 dispatched by the shell's own box inside ShellExecuteExA: the run's
    // loop sees no message of it.
    for (bool exit : {false, true}) {
        window = createMultiRunWindow();
        DocumentServer server;
        DocumentServer::onExecute = [&] {
            if (exit)
                window->endRunForExit();
            else
                window->abortRun();
        };
        window->appendEntry(folder.write("doc.qdde"));
        const std::string next = exit ? "after-exit" : "after-abort";
        // Alive until stopped: a start the run made would still be in the process list, where
        // it is from the moment the shell's call returned, long before the child writes its log.
        window->appendEntry(child(next, untilStopped));
        window->runList();
        EXPECT_EQ(DocumentServer::executes, 1);
        EXPECT_FALSE(processRunning(next + ".exe") || readChildRecord(children.back()).started)
            << "exit " << exit;
    }
}

TEST_F(MultiRunRunTest, StartWithoutAProcessIsReportedAndTheRunGoesOn)
{
    DocumentServer server;
    window->appendEntry(folder.write("doc.qdde"));
    window->appendEntry(child("after", 0));
    setOrdered(true);
    window->runList();
    EXPECT_EQ(DocumentServer::executes, 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "プロセスの終了待ちに失敗");
    EXPECT_EQ(boxes.boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(readChildRecord(children[0]).started);
}

TEST_F(MultiRunRunTest, EmptyListRunClearsTheNameUnlessKept)
{
    std::string empty = folder.write("empty.sqx", "[Quintarel Sequntial Execute File]\n-- \n");
    ASSERT_TRUE(window->loadListFile(empty));
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    window->runList();
    EXPECT_EQ(controlText(window->hwnd()), "複数実行");
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));

    sendCommand(*window, IDM_KEEP_LIST, 0);
    sendCommand(*window, IDM_KEEP_WINDOW, 0);
    window->loadListFile(empty);
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    window->runList();
    EXPECT_EQ(controlText(window->hwnd()), "複数実行(empty.sqx)");
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}

TEST_F(MultiRunRunTest, WakeupListsRunOneAfterTheOtherAtStart)
{
    std::string listFolder = testListFolder();
    std::vector<std::string> marked;
    for (const char* name : {"first", "second"}) {
        std::string program = child(name, 300);
        std::string list = listFolder + "\\" + name + ".sqx";
        std::string bytes = "[Quintarel Sequntial Execute File]\nSequential execute: 1\n-- \n" +
                            std::to_string(program.size()) + ":" + program + " -w\n";
        HANDLE file = CreateFileA(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                  nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        marked.push_back(registeredPath(listFolder, std::string(name) + ".sqx"));
    }
    ProfileStore& profile = app::profile();
    const char section[] = "MultipleLaunch\\OnWakeup";
    profile.writeInt(section, "Number", 3);
    profile.writeString(section, "000", marked[1]);
    profile.writeString(section, "001", registeredPath(listFolder, "deleted.sqx"));
    profile.writeString(section, "002", marked[0]);
    window = createMultiRunWindow();
    window->runWakeupLists();

    ChildRecord second = readChildRecord(children[0 + 1]);
    ChildRecord first = readChildRecord(children[0]);
    ASSERT_TRUE(first.ended && second.ended);
    EXPECT_LE(second.end, first.start);
    EXPECT_EQ(first.arguments, " -w");
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    // The mark of the deleted list stays stored until the marks change.
    EXPECT_EQ(profile.readString(section, "001", ""), registeredPath(listFolder, "deleted.sqx"));
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
