// How long the run engine of the multiple-execution window takes to start a list without
// waiting for each program, against the floor: the same number of bare ShellExecuteExA calls
// on the same program. The child programs end at once and record their start and end; each
// round waits until every child of the round has ended before the next round starts. Prints
// the medians and the ratio engine / floor. Run it through scripts/bench-run.
//
//   run_bench <child.exe> [entries] [rounds]
#include "framework/application_win.h"
#include "framework/message_box_win.h"
#include "framework/profile_store.h"
#include "multirun/multirun_window_win.h"
#include "tests/bench/bench_support_win.h"

#include <objbase.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int quietBox(HWND, const char* text, const char*, UINT)
{
    std::fprintf(stderr, "message: %s\n", text);
    return IDOK;
}

// The number of "end" records in the child's log.
int endedChildren(const std::string& log)
{
    HANDLE file = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    int count = 0;
    for (std::size_t at = text.find("end "); at != std::string::npos; at = text.find("end ", at + 1))
        if (at == 0 || text[at - 1] == '\n')
            ++count;
    return count;
}

bool waitForEnds(const std::string& log, int wanted)
{
    DWORD begin = GetTickCount();
    while (endedChildren(log) < wanted) {
        if (GetTickCount() - begin > 120000) {
            std::fprintf(stderr, "only %d of %d children ended\n", endedChildren(log), wanted);
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: run_bench <child.exe> [entries] [rounds]\n");
        return 2;
    }
    std::string child = argv[1];
    int count = argc > 2 ? std::atoi(argv[2]) : 50;
    int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    std::string log = child.substr(0, child.rfind('.')) + ".log";
    DeleteFileA(log.c_str());

    CoInitialize(nullptr);
    setMessageBoxFunction(quietBox);
    // Without waiting: "整列実行" off, as the profile gives it to the window.
    app::profile().writeInt("MultipleLaunch", "RunOnWait", 0);
    MultiRunWindow window;
    if (!window.create(nullptr)) {
        std::fprintf(stderr, "the multiple-execution window could not be created\n");
        return 1;
    }

    int started = 0;
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
        started += count;
        if (!window.entries().empty() || !waitForEnds(log, started))
            return 1;
        double floorMs = floorRun(child, count);
        started += count;
        if (!waitForEnds(log, started))
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
    SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\Brisvane\\" + app::moduleBaseName()).c_str());
    CoUninitialize();
    return 0;
}
