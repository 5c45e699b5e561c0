// Whether the launcher grows as it runs for months: a real main window on a folder of 200 mixed
// entries and 50 shortcuts goes through 2,000 rebuilds as the watch builds them (a file added
// or removed before each), 500 popups of the launcher menu closed again, and 100 switches
// between two folders. Prints private bytes, the handle count and the GDI and USER object
// counts (GetGuiResources) at the start, after a warm-up of a tenth of each, and at the end.
// Run it through scripts/bench-soak.
//
//   soak_bench <tray_floor.exe>
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "launcher/folder_menu_win.h"
#include "launcher/tray_icon_win.h"
#include "tests/bench/bench_support_win.h"

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct Figures {
    double privateKb = 0;
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

Figures measure()
{
    Figures figures;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters)))
        // Windows gives the commit charge as PrivateUsage; Wine fills only PagefileUsage.
        figures.privateKb = static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage
                                                                      : counters.PagefileUsage) /
                            1024.0;
    GetProcessHandleCount(GetCurrentProcess(), &figures.handles);
    figures.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    figures.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return figures;
}

void print(const char* when, const Figures& figures)
{
    std::printf("%-10s %14.0f %9lu %12lu %13lu\n", when, figures.privateKb,
                static_cast<unsigned long>(figures.handles),
                static_cast<unsigned long>(figures.gdiObjects),
                static_cast<unsigned long>(figures.userObjects));
    std::fflush(stdout);
}

// Closes the menu the popup opened, from inside its loop.
VOID CALLBACK closeMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 1, "soak_bench <tray_floor.exe>"))
        return 2;
    bench::InProcess inProcess;
    std::string base = bench::tempBase();
    std::string mixed = bench::makeKindFolder(base, "mixed", 200, argv[1]);
    std::string links = bench::makeKindFolder(base, "shortcuts", 50, argv[1]);
    // The shortcuts join the mixed entries: one folder of 250.
    for (int i = 0; i < 50; ++i) {
        std::string name = "\\近道" + std::to_string(i) + ".lnk";
        MoveFileA((links + name).c_str(), (mixed + name).c_str());
    }
    std::string other = bench::makeKindFolder(base, "documents", 100, argv[1]);

    app::profile().writeString("NowFolder", "AppFolder", mixed);
    MainWindow window(app::profile());
    if (!window.createModeless(nullptr)) {
        std::fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    window.folderPage().addFolder(mixed);
    window.folderPage().addFolder(other);
    window.folderPage().switchTo(0);

    auto rebuilds = [&](int count) {
        for (int i = 0; i < count; ++i) {
            std::string file = mixed + "\\soak.txt";
            if (i % 2 == 0)
                bench::writeFile(file);
            else
                DeleteFileA(file.c_str());
            window.launcher().requestRebuild(RebuildReason::watch);
            bench::pumpMessages();
        }
    };
    auto popups = [&](int count) {
        for (int i = 0; i < count; ++i) {
            SetTimer(nullptr, 0, 1, closeMenu);
            window.handleMessage(TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
            bench::pumpMessages();
        }
    };
    auto switches = [&](int count) {
        for (int i = 0; i < count; ++i) {
            window.handleMessage(WM_COMMAND, MAKEWPARAM(folderFirstId + (i % 2 == 0 ? 1 : 0), 0),
                                 0);
            bench::pumpMessages();
        }
    };

    std::printf("%-10s %14s %9s %12s %13s\n", "", "private KB", "handles", "GDI objects",
                "USER objects");
    bench::pumpMessages();
    print("start", measure());
    rebuilds(200);
    popups(50);
    switches(10);
    Figures warm = measure();
    print("warm-up", warm);
    rebuilds(1800);
    popups(450);
    switches(90);
    Figures end = measure();
    print("end", end);
    std::printf("growth after the warm-up: %.0f KB, %ld handles, %ld GDI, %ld USER objects "
                "(targets: at most 100 KB, 0, 0, 0)\n",
                end.privateKb - warm.privateKb,
                static_cast<long>(end.handles) - static_cast<long>(warm.handles),
                static_cast<long>(end.gdiObjects) - static_cast<long>(warm.gdiObjects),
                static_cast<long>(end.userObjects) - static_cast<long>(warm.userObjects));
    window.destroyWindow();
    app::setMainWindow(nullptr);
    return 0;
}
