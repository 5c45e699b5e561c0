// How long building the launcher menu takes, against the floor: the same folder enumeration,
// icon queries and image-list appends with nothing else. Builds the menu of a real main window
// for folders of 100, 1,000 and 4,000 entries and prints the median time per entry and the
// ratio build / floor. Run it through scripts/bench-menu.
//
//   menu_bench [count ...]      folder sizes (default 100 1000 4000)
#include "app/main_window_win.h"

#include "common/shortcut_win.h"
#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "tests/bench/bench_support_win.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::nowMs;

// The floor: what any build must do, and nothing more.
int floorBuild(const std::string& folder, int iconSize)
{
    HIMAGELIST images = ImageList_Create(iconSize, iconSize, ILC_COLORDDB | ILC_MASK, 0, 99);
    UINT sizeFlag = iconSize == 32 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    int count = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, ".."))
                continue;
            std::string path = folder + "\\" + found.cFileName;
            SHFILEINFOA info{};
            if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | sizeFlag) &&
                info.hIcon) {
                ImageList_ReplaceIcon(images, -1, info.hIcon);
                DestroyIcon(info.hIcon);
            }
            ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    ImageList_Destroy(images);
    return count;
}

int quietBox(HWND, const char* text, const char*, UINT)
{
    std::fprintf(stderr, "message: %s\n", text);
    return IDOK;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {100, 1000, 4000};

    CoInitialize(nullptr);
    setMessageBoxFunction(quietBox);
    std::string base = bench::tempBase();

    std::printf("%8s %12s %12s %12s %12s %8s\n", "entries", "build ms", "build us/e",
                "floor ms", "floor us/e", "ratio");
    for (int count : counts) {
        std::string folder = bench::makeFolder(base, count);
        app::profile().writeString("NowFolder", "AppFolder", folder);
        MainWindow window;
        if (!window.createModeless(nullptr)) {
            std::fprintf(stderr, "the main window could not be created\n");
            return 1;
        }
        LauncherSettings& set = window.active();
        set.PrintMyself = false;
        set.IconPrint = 2;
        set.IconSize = 32;
        window.recreateMenuFont();

        int rounds = count >= 4000 ? 5 : count >= 1000 ? 7 : 15;
        std::vector<double> builds, floors;
        // One of each first, so both start from caches as warm as the other's.
        window.buildLauncherMenu();
        floorBuild(folder, 32);
        for (int round = 0; round < rounds; ++round) {
            double start = nowMs();
            window.buildLauncherMenu();
            builds.push_back(nowMs() - start);
            start = nowMs();
            int listed = floorBuild(folder, 32);
            floors.push_back(nowMs() - start);
            if (listed != count ||
                window.launcherItemPaths().size() != static_cast<std::size_t>(count)) {
                std::fprintf(stderr, "listed %d and %u of %d entries\n", listed,
                             static_cast<unsigned>(window.launcherItemPaths().size()), count);
                return 1;
            }
        }
        double build = median(builds);
        double floor = median(floors);
        std::printf("%8d %12.1f %12.1f %12.1f %12.1f %8.3f\n", count, build,
                    1000.0 * build / count, floor, 1000.0 * floor / count, build / floor);
        std::fflush(stdout);
        window.destroyWindow();
        app::setMainWindow(nullptr);
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\Brisvane\\" + app::moduleBaseName()).c_str());
    CoUninitialize();
    return 0;
}
