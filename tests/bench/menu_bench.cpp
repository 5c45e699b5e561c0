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

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void writeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "x", 1, &written, nullptr);
        CloseHandle(file);
    }
}

// A launcher folder as users keep them: shortcuts, documents of a few types and sub-folders,
// named in Japanese and in Latin letters.
std::string makeFolder(const std::string& base, int count)
{
    std::string folder = base + "\\ランチャー" + std::to_string(count);
    SHFILEOPSTRUCTA remove{};
    std::string doubleZero = folder + '\0';
    remove.wFunc = FO_DELETE;
    remove.pFrom = doubleZero.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string target = base + "\\target.txt";
    writeFile(target);
    for (int i = 0; i < count; ++i) {
        char name[64];
        switch (i % 5) {
        case 0:
            wsprintfA(name, "ツール%04d.lnk", i);
            createShortcut(target, folder + "\\" + name, "");
            break;
        case 1:
            wsprintfA(name, "memo%04d.txt", i);
            writeFile(folder + "\\" + name);
            break;
        case 2:
            wsprintfA(name, "資料%04d.dat", i);
            writeFile(folder + "\\" + name);
            break;
        case 3:
            wsprintfA(name, "page%04d.htm", i);
            writeFile(folder + "\\" + name);
            break;
        default:
            wsprintfA(name, "フォルダ%04d", i);
            CreateDirectoryA((folder + "\\" + name).c_str(), nullptr);
            break;
        }
    }
    return folder;
}

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
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "qbench";
    CreateDirectoryA(base.c_str(), nullptr);

    std::printf("%8s %12s %12s %12s %12s %8s\n", "entries", "build ms", "build us/e",
                "floor ms", "floor us/e", "ratio");
    for (int count : counts) {
        std::string folder = makeFolder(base, count);
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
