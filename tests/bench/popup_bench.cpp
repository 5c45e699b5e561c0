// What popping the launcher menu up costs, measured from outside as the tray delivers a click:
// from a left button-down posted to the program's tray callback until its menu window is
// visible, and until the program answers a sent message again, its menu drawn and its menu
// loop idle. For folders of 100, 1,000 and 4,000 documents, against the floor in the same run:
// tray_floor popping up a plain menu of the same texts and columns (no owner drawing, no
// pictures) the same way. Medians of the given rounds. Then the first usable menu after a
// start with 1,000 shortcuts: process start to the icon up, and to the first popup shown and
// idle. Run it through scripts/bench-popup.
//
//   popup_bench <quintarel.exe> <tray_floor.exe> [rounds]
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "launcher/tray_icon_win.h"
#include "tests/bench/bench_support_win.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::nowMs;

constexpr DWORD patienceMs = 60000;

struct MenuFinder {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findMenuOf(HWND window, LPARAM lParam)
{
    auto* finder = reinterpret_cast<MenuFinder*>(lParam);
    char name[16] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == finder->pid && IsWindowVisible(window) &&
        GetClassNameA(window, name, sizeof(name)) && lstrcmpA(name, "#32768") == 0) {
        finder->found = window;
        return FALSE;
    }
    return TRUE;
}

// The program's visible popup menu window, or null.
HWND openMenuOf(DWORD pid)
{
    MenuFinder finder{pid, nullptr};
    EnumWindows(findMenuOf, reinterpret_cast<LPARAM>(&finder));
    return finder.found;
}

// Returns once the window's thread reads its messages again; false when it does not in time.
bool answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, patienceMs, &result) != 0;
}

struct Popup {
    double visibleMs = -1;
    double idleMs = -1;
};

// A left button-down at the tray icon, posted as the tray sends it, timed from `since` (now
// when negative) until the menu shows and its loop is idle; the menu is closed again after.
Popup popUpOnce(HWND window, DWORD pid, double since = -1)
{
    Popup popup;
    double start = since < 0 ? nowMs() : since;
    PostMessageA(window, TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
    HWND menu = nullptr;
    DWORD begin = GetTickCount();
    while (!(menu = openMenuOf(pid)) && GetTickCount() - begin < patienceMs)
        Sleep(1);
    if (!menu)
        return popup;
    popup.visibleMs = nowMs() - start;
    // A sent message is answered between the messages the menu loop reads: after the popup
    // was drawn, once nothing else waits.
    if (answers(window))
        popup.idleMs = nowMs() - start;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    begin = GetTickCount();
    while (openMenuOf(pid) && GetTickCount() - begin < patienceMs)
        Sleep(1);
    answers(window);
    Sleep(200);
    return popup;
}

struct Figures {
    double visibleMs = -1;
    double idleMs = -1;
};

// One warm-up, then the rounds; the medians.
Figures popUpRounds(HWND window, HANDLE process, int rounds)
{
    DWORD pid = GetProcessId(process);
    popUpOnce(window, pid);
    std::vector<double> visible, idle;
    for (int round = 0; round < rounds; ++round) {
        Popup popup = popUpOnce(window, pid);
        if (popup.idleMs < 0)
            return {};
        visible.push_back(popup.visibleMs);
        idle.push_back(popup.idleMs);
    }
    return {median(visible), median(idle)};
}

// The launcher started on the folder, its first menu built; null window when it did not get
// ready.
struct Started {
    HANDLE process = nullptr;
    HWND window = nullptr;
};

Started startLauncher(const std::string& exe, const std::string& folder)
{
    bench::setProfileString(bench::profileKeyOf(exe) + "\\NowFolder", "AppFolder", folder);
    Started started;
    started.process = bench::startProgram(exe);
    if (!started.process)
        return started;
    started.window = bench::waitForWindow(started.process, bench::launcherTitle, patienceMs);
    DWORD begin = GetTickCount();
    while (started.window && !bench::menuBuilds(started.window) && GetTickCount() - begin < patienceMs)
        Sleep(1);
    if (started.window && !bench::menuBuilds(started.window))
        started.window = nullptr;
    return started;
}

// The texts of the launcher menu of the folder as the launcher builds it, one a line, and its
// rows per column: what the floor's plain menu shows.
bool writeMenuTexts(const std::string& folder, const std::string& file, int& rows)
{
    app::profile().writeString("NowFolder", "AppFolder", folder);
    MainWindow window(app::profile());
    if (!window.createModeless(nullptr))
        return false;
    const LauncherMenu& menu = window.launcher().launcherMenu();
    std::string texts;
    for (const std::string& text : menu.itemTexts())
        texts += text + "\n";
    rows = menu.rows();
    window.destroyWindow();
    app::setMainWindow(nullptr);
    bench::writeFile(file, texts);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 2, "popup_bench <quintarel.exe> <tray_floor.exe> [rounds]"))
        return 2;
    std::string launcher = argv[1];
    std::string floorProgram = argv[2];
    int rounds = bench::numberArgument(argc, argv, 3, 5);
    bench::InProcess inProcess;
    std::string base = bench::tempBase();

    std::printf("launcher menu popup, documents, medians of %d (posted button-down to visible, "
                "and to drawn and idle):\n",
                rounds);
    std::printf("%8s %14s %14s %14s %14s %8s\n", "entries", "visible ms", "idle ms",
                "floor vis. ms", "floor idle ms", "ratio");
    for (int count : {100, 1000, 4000}) {
        std::string folder = bench::makeKindFolder(base, "documents", count, floorProgram);
        std::string texts = base + "\\texts" + std::to_string(count) + ".txt";
        int rows = 0;
        if (!writeMenuTexts(folder, texts, rows)) {
            std::fprintf(stderr, "no menu texts for %d entries\n", count);
            return 1;
        }
        Started own = startLauncher(launcher, folder);
        if (!own.window) {
            std::fprintf(stderr, "the launcher did not get ready\n");
            if (own.process)
                bench::endLauncher(own.process);
            return 1;
        }
        Figures launcherFigures = popUpRounds(own.window, own.process, rounds);
        bench::endLauncher(own.process);

        HANDLE floor = bench::startProgram(floorProgram,
                                           "\"" + texts + "\" " + std::to_string(rows));
        HWND floorWindow = floor ? bench::waitForWindow(floor, bench::floorTitle, patienceMs)
                                 : nullptr;
        Figures floorFigures;
        if (floorWindow)
            floorFigures = popUpRounds(floorWindow, floor, rounds);
        if (floor)
            bench::endFloor(floor);
        if (launcherFigures.idleMs < 0 || floorFigures.idleMs < 0) {
            std::fprintf(stderr, "%d entries: a menu did not show\n", count);
            return 1;
        }
        std::printf("%8d %14.1f %14.1f %14.1f %14.1f %8.2f\n", count, launcherFigures.visibleMs,
                    launcherFigures.idleMs, floorFigures.visibleMs, floorFigures.idleMs,
                    launcherFigures.idleMs / floorFigures.idleMs);
        std::fflush(stdout);
        // The shell takes the icon of an ended program away a moment later.
        Sleep(300);
    }
    std::printf("target: a ratio (idle against the floor's idle) of at most 1.5\n\n");

    // The first usable menu: the icon comes up before the menu is built, and a click that
    // arrives meanwhile is answered by the built menu.
    std::string links = bench::makeKindFolder(base, "shortcuts", 1000, floorProgram);
    bench::setProfileString(bench::profileKeyOf(launcher) + "\\NowFolder", "AppFolder", links);
    std::vector<double> iconUp, firstMenu;
    for (int round = 0; round < rounds; ++round) {
        double start = nowMs();
        HANDLE process = bench::startProgram(launcher);
        HWND window = process ? bench::waitForTrayIcon(process, bench::launcherTitle,
                                                       TrayIcon::iconId, patienceMs)
                              : nullptr;
        double up = nowMs() - start;
        Popup popup = window ? popUpOnce(window, GetProcessId(process), start) : Popup{};
        if (process)
            bench::endLauncher(process);
        if (popup.idleMs < 0) {
            std::fprintf(stderr, "start %d: no menu came up\n", round);
            return 1;
        }
        iconUp.push_back(up);
        firstMenu.push_back(popup.idleMs);
        Sleep(300);
    }
    std::printf("start-up with 1,000 shortcuts, medians of %d starts: tray icon up %.0f ms, "
                "first popup shown and idle %.0f ms\n",
                rounds, median(iconUp), median(firstMenu));
    return 0;
}
