// How long the run engine of the multiple-execution window takes to start a list without
// waiting for each program, against the floor: the same number of bare ShellExecuteExA calls
// on the same program. The child programs end at once; each round waits until every child of
// the round has ended before the next round starts. Prints
// the medians and the ratio engine / floor. Run it through scripts/bench-run.
//
//   run_bench <child.exe> [entries] [rounds]
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "multirun/multirun_window_win.h"
#include "tests/bench/bench_support_win.h"

#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The children of the program still running. Counting their "end" records instead would
// miss some: under Wine, records appended at the same moment by two processes can overwrite
// each other.
int runningChildren(const std::string& childName)
{
    return test_support::processCount(childName);
}

bool waitForEnds(const std::string& childName)
{
    DWORD begin = GetTickCount();
    while (runningChildren(childName) > 0) {
        if (GetTickCount() - begin > 120000) {
            std::fprintf(stderr, "%d children still run\n", runningChildren(childName));
            return false;
        }
        // The window's messages go on while the children end.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
    return true;
}

double floorRun(const std::string& child, int count)
{
    double start = bench::nowMs();
    for (int i = 0; i < count; ++i) {
        SHELLEXECUTEINFOA launch{};
        launch.cbSize = sizeof(launch);
        launch.fMask = SEE_MASK_NOCLOSEPROCESS;
        launch.lpFile = child.c_str();
        launch.lpParameters = "";
        launch.nShow = SW_SHOWDEFAULT;
        if (ShellExecuteExA(&launch) && launch.hProcess)
            CloseHandle(launch.hProcess);
    }
    return bench::nowMs() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 1, "run_bench <child.exe> [entries] [rounds]"))
        return 2;
    std::string child = argv[1];
    int count = bench::numberArgument(argc, argv, 2, 50);
    int rounds = bench::numberArgument(argc, argv, 3, 5);
    std::string childName = child.substr(child.find_last_of("\\/") + 1);

    bench::InProcess inProcess;
    // Without waiting: "整列実行" off, as the profile gives it to the window.
    app::profile().writeInt("MultipleLaunch", "RunOnWait", 0);
    MultiRunWindow window(app::profile());
    if (!window.create(nullptr)) {
        std::fprintf(stderr, "the multiple-execution window could not be created\n");
        return 1;
    }

    std::vector<double> engine, floor;
    // One of each first, so both start from caches as warm as the other's.
    for (int round = -1; round < rounds; ++round) {
        for (int i = 0; i < count; ++i)
            window.appendEntry(child);
        if (window.entries().size() != static_cast<std::size_t>(count)) {
            std::fprintf(stderr, "the list holds %u entries, not %d\n",
                         static_cast<unsigned>(window.entries().size()), count);
            return 1;
        }
        double start = bench::nowMs();
        window.runList();
        double engineMs = bench::nowMs() - start;
        if (!window.entries().empty() || !waitForEnds(childName))
            return 1;
        double floorMs = floorRun(child, count);
        if (!waitForEnds(childName))
            return 1;
        if (round >= 0) {
            engine.push_back(engineMs);
            floor.push_back(floorMs);
        }
    }
    double own = bench::median(engine);
    double bare = bench::median(floor);
    std::printf("run engine, medians of %d rounds of %d programs started without waiting:\n",
                rounds, count);
    std::printf("  floor (bare ShellExecuteExA calls)  %8.1f ms  %6.2f ms each\n", bare,
                bare / count);
    std::printf("  multiple-execution run              %8.1f ms  %6.2f ms each\n", own,
                own / count);
    std::printf("  ratio run / floor                   %8.3f   (target <= 1.1)\n", own / bare);
    window.destroyWindow();
    return 0;
}
