// How the launcher menu follows its folder, measured from outside as a user's file manager
// changes it: the time from a file's creation until the rebuilt menu holds it (median of 10,
// on a folder of 100 entries), and the rebuilds and the launcher's processor time while 1,000
// files are copied in over 10 seconds. Reads the count of menu builds the launcher keeps on
// its main window. Run it through scripts/bench-watch.
//
//   watch_bench <quintarel.exe> [entries]
#include "tests/bench/bench_support_win.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Waits until the build count has passed `after`; false when it does not within the time.
bool waitForBuild(HWND window, UINT_PTR after, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (bench::menuBuilds(window) <= after) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}

// Waits until the build count has stood still for the time; answers it.
UINT_PTR settledBuilds(HWND window, DWORD stillMs)
{
    UINT_PTR last = bench::menuBuilds(window);
    DWORD since = GetTickCount();
    while (GetTickCount() - since < stillMs) {
        Sleep(50);
        UINT_PTR now = bench::menuBuilds(window);
        if (now != last) {
            last = now;
            since = GetTickCount();
        }
    }
    return last;
}

double processorMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 1, "watch_bench <quintarel.exe> [entries]"))
        return 2;
    std::string launcher = argv[1];
    int entries = bench::numberArgument(argc, argv, 2, 100);
    std::string base = bench::tempBase();
    std::string folder = bench::makeFolder(base, entries);
    bench::setProfileString(bench::profileKeyOf(launcher) + "\\NowFolder", "AppFolder", folder);

    HANDLE process = bench::startProgram(launcher);
    HWND window = process ? bench::waitForWindow(process, bench::launcherTitle, 60000) : nullptr;
    if (!window || !waitForBuild(window, 0, 60000)) {
        std::fprintf(stderr, "the launcher did not get ready\n");
        if (process)
            bench::endLauncher(process);
        return 1;
    }
    settledBuilds(window, 1000);

    std::vector<double> delays;
    for (int i = 0; i < 10; ++i) {
        UINT_PTR before = bench::menuBuilds(window);
        double start = bench::nowMs();
        bench::writeFile(folder + "\\new" + std::to_string(i) + ".txt");
        if (!waitForBuild(window, before, 30000)) {
            std::fprintf(stderr, "file %d never reached the menu\n", i);
            break;
        }
        delays.push_back(bench::nowMs() - start);
        settledBuilds(window, 500);
    }
    std::printf("a new file in the menu after %.0f ms (median of %u, folder of %d entries; "
                "target under 1000 ms)\n",
                bench::median(delays), static_cast<unsigned>(delays.size()), entries);

    UINT_PTR before = bench::menuBuilds(window);
    double processorBefore = processorMs(process);
    double start = bench::nowMs();
    for (int i = 0; i < 1000; ++i) {
        bench::writeFile(folder + "\\copied" + std::to_string(i) + ".txt");
        // 1,000 files spread over 10 seconds, as a copy of a large folder arrives.
        double due = start + (i + 1) * 10.0;
        double now = bench::nowMs();
        if (due > now)
            Sleep(static_cast<DWORD>(due - now));
    }
    UINT_PTR after = settledBuilds(window, 4000);
    std::printf("1000 files copied in over %.1f s: %u rebuilds, %.0f ms of the launcher's "
                "processor time\n",
                (bench::nowMs() - start) / 1000.0, static_cast<unsigned>(after - before),
                processorMs(process) - processorBefore);
    bench::endLauncher(process);
    return 0;
}
