// What cascading sub-folders cost. Opening a sub-menu: milliseconds from WM_INITMENUPOPUP until
// it is built and shown, and until the last of its own pictures has come, for a sub-folder of
// documents and of shortcuts at 100 and 1,000 entries. And the launcher menu of a folder of 20
// sub-folders of 200 entries each, built with the sub-folders cascading and without: nothing of
// a sub-folder is read before it opens, so the two should be the same within noise. Run it
// through scripts/bench-cascade.
//
//   cascade_bench <tray_floor.exe>
#include "app/main_window_win.h"

#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "tests/bench/bench_support_win.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::nowMs;

// A main window on the folder, its set as the benchmarks use it.
struct Launcher {
    explicit Launcher(const std::string& folder, bool folderMenu)
    {
        app::profile().writeString("NowFolder", "AppFolder", folder);
        created = window.createModeless(nullptr);
        LauncherSettings& set = window.settingsChain().settingsFor(folder);
        set.PrintMyself = false;
        set.IconPrint = 2;
        set.IconSize = 32;
        set.FolderMenu = folderMenu;
        window.launcher().requestRebuild(RebuildReason::settingChanged);
    }
    ~Launcher()
    {
        window.destroyWindow();
        app::setMainWindow(nullptr);
    }
    MainWindow window{app::profile()};
    bool created = false;
};

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 1, "cascade_bench <tray_floor.exe>"))
        return 2;
    bench::InProcess inProcess;
    std::string base = bench::tempBase();

    std::printf("%-24s %8s %14s %16s\n", "sub-menu of", "entries", "shown ms", "pictures ms");
    for (const char* kind : {"documents", "shortcuts"}) {
        for (int count : {100, 1000}) {
            std::string top = base + "\\top-" + kind + std::to_string(count);
            bench::removeTree(top);
            CreateDirectoryA(top.c_str(), nullptr);
            std::string sub = bench::makeKindFolder(top, kind, count, argv[1]);
            Launcher launcher(top, true);
            if (!launcher.created)
                return 1;
            const LauncherMenu& menu = launcher.window.launcher().launcherMenu();
            int item = -1;
            for (std::size_t i = 0; i < menu.entries().size(); ++i)
                if (menu.entries()[i].path == sub)
                    item = static_cast<int>(i);
            HMENU subMenu = item >= 0 ? GetSubMenu(menu.handle(), item) : nullptr;
            if (!subMenu) {
                std::fprintf(stderr, "%s has no sub-menu\n", sub.c_str());
                return 1;
            }
            std::vector<double> shown, pictures;
            for (int round = 0; round < 5; ++round) {
                double start = nowMs();
                launcher.window.handleMessage(WM_INITMENUPOPUP,
                                              reinterpret_cast<WPARAM>(subMenu), item);
                shown.push_back(nowMs() - start);
                while (menu.picturesPending()) {
                    launcher.window.waits().waitForMessageOrSignal(5);
                    bench::pumpMessages();
                }
                pictures.push_back(nowMs() - start);
                if (GetMenuItemCount(subMenu) != count) {
                    std::fprintf(stderr, "the sub-menu shows %d of %d\n",
                                 GetMenuItemCount(subMenu), count);
                    return 1;
                }
            }
            std::printf("%-24s %8d %14.1f %16.1f\n", kind, count, median(shown), median(pictures));
            std::fflush(stdout);
        }
    }

    // A tree: 20 sub-folders of 200 documents each.
    std::string tree = base + "\\tree";
    bench::removeTree(tree);
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int i = 0; i < 20; ++i) {
        std::string sub = bench::makeKindFolder(tree, "documents", 200, argv[1]);
        MoveFileA(sub.c_str(), (tree + "\\棚" + std::to_string(i)).c_str());
    }
    std::printf("\n%-24s %14s\n", "launcher menu of 20x200", "build ms");
    for (bool folderMenu : {false, true}) {
        Launcher launcher(tree, folderMenu);
        if (!launcher.created)
            return 1;
        std::vector<double> builds;
        for (int round = 0; round < 11; ++round) {
            double start = nowMs();
            launcher.window.launcher().requestRebuild(RebuildReason::watch);
            builds.push_back(nowMs() - start);
        }
        std::printf("%-24s %14.2f\n", folderMenu ? "sub-folders cascading" : "sub-folders open",
                    median(builds));
    }
    return 0;
}
