// What the launcher keeps resident: private bytes and working set (GetProcessMemoryInfo) after
// its start with an empty launcher folder, with a folder of 1,000 entries, and after that
// folder's menu was opened once; against the floor, a program that only makes a hidden window
// and a tray icon, which shows what Wine itself costs every process. Prints each figure, its
// ratio to the floor, and the part above the floor. Run it through scripts/bench-footprint.
//
//   footprint_bench <quintarel.exe> <tray_floor.exe> [entries]
#include "tests/bench/bench_support_win.h"

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT trayCallbackMessage = WM_APP + 0x64;
constexpr double megabyte = 1024.0 * 1024.0;

struct Footprint {
    double privateBytes = 0;
    double workingSet = 0;
};

Footprint measure(HANDLE process)
{
    // Resident sizes settle a moment after a start or a menu.
    Sleep(1500);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    Footprint result;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters))) {
        // Windows gives the commit charge twice, as PrivateUsage and as PagefileUsage; Wine
        // fills only the second.
        SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage
                                                    : counters.PagefileUsage;
        result.privateBytes = static_cast<double>(privateBytes);
        result.workingSet = static_cast<double>(counters.WorkingSetSize);
    } else {
        std::fprintf(stderr, "GetProcessMemoryInfo failed (error %lu)\n", GetLastError());
    }
    return result;
}

HANDLE startForQuery(const std::string& exe)
{
    HANDLE started = bench::startProgram(exe);
    if (!started)
        return nullptr;
    // The handle CreateProcess gives has every right; ask for the query rights by name anyway,
    // as a monitoring tool would.
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE |
                                     PROCESS_TERMINATE,
                                 FALSE, GetProcessId(started));
    if (process) {
        CloseHandle(started);
        return process;
    }
    return started;
}

void printRow(const char* what, const Footprint& own, const Footprint& floor)
{
    std::printf("  %-34s %7.2f MB %6.2fx %+7.2f MB   %7.2f MB %6.2fx %+7.2f MB\n", what,
                own.privateBytes / megabyte, own.privateBytes / floor.privateBytes,
                (own.privateBytes - floor.privateBytes) / megabyte, own.workingSet / megabyte,
                own.workingSet / floor.workingSet, (own.workingSet - floor.workingSet) / megabyte);
}

// The launcher started on a folder; measured when ready, and, when asked, once more after its
// menu was opened (with the tray icon's own message) and closed again.
bool measureLauncher(const std::string& exe, const std::string& folder, Footprint& atStart,
                     Footprint* afterMenu)
{
    bench::setProfileString(bench::profileKeyOf(exe) + "\\NowFolder", "AppFolder", folder);
    HANDLE process = startForQuery(exe);
    if (!process)
        return false;
    HWND window = bench::waitForWindow(process, bench::launcherTitle, 60000);
    if (!window || !bench::waitForWindow(process, bench::multiRunTitle, 120000)) {
        std::fprintf(stderr, "the launcher did not get ready\n");
        bench::endLauncher(process);
        return false;
    }
    atStart = measure(process);
    if (afterMenu) {
        PostMessageA(window, trayCallbackMessage, 0, WM_LBUTTONDOWN);
        HWND menu = nullptr;
        DWORD begin = GetTickCount();
        while (!(menu = FindWindowA("#32768", nullptr)) && GetTickCount() - begin < 30000)
            Sleep(10);
        if (!menu) {
            std::fprintf(stderr, "the launcher menu did not open\n");
        } else {
            *afterMenu = measure(process);
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    bench::endLauncher(process);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!bench::namesPrograms(argc, 2,
                              "footprint_bench <quintarel.exe> <tray_floor.exe> [entries]"))
        return 2;
    std::string launcher = argv[1];
    std::string floorProgram = argv[2];
    int entries = bench::numberArgument(argc, argv, 3, 1000);

    std::string base = bench::tempBase();
    std::string empty = bench::makeFolder(base, 0);
    std::string full = bench::makeFolder(base, entries);

    HANDLE process = startForQuery(floorProgram);
    if (!process || !bench::waitForWindow(process, bench::floorTitle, 30000))
        return 1;
    Footprint floor = measure(process);
    bench::endFloor(process);
    if (floor.privateBytes <= 0)
        return 1;

    Footprint emptyStart, fullStart, fullMenu;
    if (!measureLauncher(launcher, empty, emptyStart, nullptr) ||
        !measureLauncher(launcher, full, fullStart, &fullMenu))
        return 1;

    std::printf("resident footprint under Wine (GetProcessMemoryInfo):\n");
    std::printf("  %-34s %10s %7s %10s   %10s %7s %10s\n", "", "private", "/floor", "above",
                "working set", "/floor", "above");
    std::printf("  %-34s %7.2f MB %6.2fx %+7.2f MB   %7.2f MB %6.2fx %+7.2f MB\n",
                "floor (hidden window + tray icon)", floor.privateBytes / megabyte, 1.0, 0.0,
                floor.workingSet / megabyte, 1.0, 0.0);
    printRow("quintarel, empty folder", emptyStart, floor);
    char label[64];
    wsprintfA(label, "quintarel, %d entries", entries);
    printRow(label, fullStart, floor);
    wsprintfA(label, "quintarel, %d entries, menu opened", entries);
    printRow(label, fullMenu, floor);
    std::printf("  private bytes with %d entries: %.2f of the 8 MB target\n", entries,
                fullStart.privateBytes / (8 * megabyte));
    return 0;
}
