// How long the launcher takes from its process start until its icon is in the notification
// area, against the floor: a program that only makes a hidden window and a tray icon. Both are
// started in turn, one warm-up each and then the given number of rounds; prints the medians and
// the ratio launcher / floor. Also prints when the launcher is ready (its menu built and its
// multiple-execution window made), which has no floor. Run it through scripts/bench-startup.
//
//   startup_bench <quintarel.exe> <tray_floor.exe> [rounds]
#include "tests/bench/bench_support_win.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::floorTitle;
using bench::launcherTitle;
constexpr UINT trayIconId = 128;

struct Start {
    double iconUpMs = -1;
    double readyMs = -1;
};

Start startOnce(const std::string& exe, bool launcher)
{
    Start start;
    double t0 = bench::nowMs();
    HANDLE process = bench::startProgram(exe);
    if (!process)
        return start;
    if (bench::waitForTrayIcon(process, launcher ? launcherTitle : floorTitle, trayIconId, 30000))
        start.iconUpMs = bench::nowMs() - t0;
    if (launcher && bench::waitForWindow(process, bench::multiRunTitle, 30000))
        start.readyMs = bench::nowMs() - t0;
    if (launcher)
        bench::endLauncher(process);
    else
        bench::endFloor(process);
    // The shell takes the icon of an ended program away a moment later.
    Sleep(300);
    return start;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 2, "startup_bench <quintarel.exe> <tray_floor.exe> [rounds]"))
        return 2;
    std::string launcher = argv[1];
    std::string floorProgram = argv[2];
    int rounds = bench::numberArgument(argc, argv, 3, 9);

    // A launcher folder of a usual size, so that "ready" includes a real menu build.
    std::string folder = bench::makeFolder(bench::tempBase(), 50);
    bench::setProfileString(bench::profileKeyOf(launcher) + "\\NowFolder", "AppFolder", folder);

    startOnce(floorProgram, false);
    startOnce(launcher, true);
    std::vector<double> floorIcon, launcherIcon, launcherReady;
    for (int round = 0; round < rounds; ++round) {
        Start floor = startOnce(floorProgram, false);
        Start own = startOnce(launcher, true);
        if (floor.iconUpMs < 0 || own.iconUpMs < 0 || own.readyMs < 0) {
            std::fprintf(stderr, "round %d: an icon or a window did not come up\n", round);
            return 1;
        }
        floorIcon.push_back(floor.iconUpMs);
        launcherIcon.push_back(own.iconUpMs);
        launcherReady.push_back(own.readyMs);
    }
    double floor = bench::median(floorIcon);
    double own = bench::median(launcherIcon);
    std::printf("start-up, medians of %d starts each (process start to the tray icon up):\n",
                rounds);
    std::printf("  floor (hidden window + tray icon)   %8.1f ms\n", floor);
    std::printf("  quintarel                           %8.1f ms\n", own);
    std::printf("  ratio quintarel / floor             %8.3f   (target <= 1.5)\n", own / floor);
    std::printf("  quintarel ready, 50-entry menu built %7.1f ms   (%.3f x the floor's icon)\n",
                bench::median(launcherReady), bench::median(launcherReady) / floor);
    return 0;
}
