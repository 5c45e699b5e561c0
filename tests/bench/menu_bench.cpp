// How long building the launcher menu takes, against the naive floor: the same folder
// enumeration with one full icon query and one image-list append per entry, as a menu without
// shared pictures builds. Builds the menu of a real main window for two kinds of folder, each
// at 100 and 1,000 entries (or the sizes given), and prints the median times and the ratio
// build / floor. Run it through scripts/bench-menu.
//
//   menu_bench <tray_floor.exe> [count ...]
//     documents: txt, bmp, html and doc files in turn
//     mixed:     a quarter each of programs (copies of tray_floor.exe), txt, bmp, sub-folders
//     shortcuts: shortcuts to four programs (copies of tray_floor.exe) and a text file in turn
#include "app/main_window_win.h"

#include "common/shortcut_win.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "tests/bench/bench_support_win.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::nowMs;

// The floor: every entry's icon asked for by its path and appended, one image each.
int floorBuild(const std::string& folder, int iconSize)
{
    ImageListHandle images(ImageList_Create(iconSize, iconSize, ILC_COLORDDB | ILC_MASK, 0, 99));
    UINT sizeFlag = iconSize == 32 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    int count = 0;
    if (!search)
        return 0;
    do {
        if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, ".."))
            continue;
        std::string path = folder + "\\" + found.cFileName;
        SHFILEINFOA info{};
        if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | sizeFlag) &&
            info.hIcon) {
            IconHandle icon(info.hIcon);
            ImageList_ReplaceIcon(images.get(), -1, icon.get());
        }
        ++count;
    } while (FindNextFileA(search.get(), &found));
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 1, "menu_bench <tray_floor.exe> [count ...]"))
        return 2;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {100, 1000};

    bench::InProcess inProcess;
    std::string base = bench::tempBase();

    std::printf("%-10s %8s %12s %12s %12s %10s %8s %14s %8s\n", "kind", "entries", "build ms",
                "floor ms", "build us/e", "images", "ratio", "one new ms", "of full");
    for (const char* kind : {"documents", "mixed", "shortcuts"}) {
        for (int count : counts) {
            std::string folder = bench::makeKindFolder(base, kind, count, argv[1]);
            app::profile().writeString("NowFolder", "AppFolder", folder);
            MainWindow window(app::profile());
            if (!window.createModeless(nullptr)) {
                std::fprintf(stderr, "the main window could not be created\n");
                return 1;
            }
            LauncherSettings& set = window.settingsChain().settingsFor(folder);
            set.PrintMyself = false;
            set.IconPrint = 2;
            set.IconSize = 32;
            window.launcher().requestRebuild(RebuildReason::settingChanged);

            int rounds = count >= 1000 ? 5 : 11;
            std::vector<double> builds, floors;
            // One of each first, so both start from caches as warm as the other's.
            window.launcher().requestRebuild(RebuildReason::watch);
            floorBuild(folder, 32);
            for (int round = 0; round < rounds; ++round) {
                // Read whole, as at a change of settings: the watch's builds keep what they can.
                double start = nowMs();
                window.launcher().requestRebuild(RebuildReason::settingChanged);
                builds.push_back(nowMs() - start);
                start = nowMs();
                int listed = floorBuild(folder, 32);
                floors.push_back(nowMs() - start);
                if (listed != count ||
                    window.launcher().launcherMenu().entries().size() != static_cast<std::size_t>(count)) {
                    std::fprintf(stderr, "listed %d and %u of %d entries\n", listed,
                                 static_cast<unsigned>(window.launcher().launcherMenu().entries().size()), count);
                    return 1;
                }
            }
            // One file arrives, as the watch builds for it, after a build that read everything.
            std::vector<double> arrivals;
            for (int round = 0; round < rounds; ++round) {
                window.launcher().requestRebuild(RebuildReason::settingChanged);
                std::string arrived = folder + "\\新着" + std::to_string(round) + ".txt";
                bench::writeFile(arrived);
                double start = nowMs();
                window.launcher().requestRebuild(RebuildReason::watch);
                arrivals.push_back(nowMs() - start);
                DeleteFileA(arrived.c_str());
            }
            double build = median(builds);
            double floor = median(floors);
            double arrival = median(arrivals);
            std::printf("%-10s %8d %12.1f %12.1f %12.1f %10d %8.3f %14.1f %8.3f\n", kind, count,
                        build, floor, 1000.0 * build / count,
                        ImageList_GetImageCount(window.launcher().launcherMenu().images()),
                        build / floor, arrival, arrival / build);
            std::fflush(stdout);
            window.destroyWindow();
            app::setMainWindow(nullptr);
        }
    }
    std::printf("targets: documents at most 0.20 of the floor, mixed at most 0.33 (shortcuts: "
                "no target); one new file at most 0.10 of the full build\n");
    return 0;
}
