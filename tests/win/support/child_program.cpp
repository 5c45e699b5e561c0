#include "tests/win/support/child_program.h"

#include "common/path_text.h"
#include "framework/application_win.h"
#include "tests/win/support/win_test_support.h"

#include <fstream>
#include <sstream>

std::string copyChild(const std::string& folder, const std::string& name, int sleepMs)
{
    PathParts program = splitPath(app::modulePath());
    std::string child = makePath(program.drive, program.directory, "qchild", ".exe");
    std::string copy = folder + "\\" + name + ".exe";
    CopyFileA(child.c_str(), copy.c_str(), FALSE);
    if (sleepMs != 0) {
        std::ofstream sleep(folder + "\\" + name + ".sleep");
        sleep << sleepMs;
    }
    return copy;
}

ChildRecord readChildRecord(const std::string& childPath)
{
    ChildRecord record;
    std::string base = childPath.substr(0, childPath.rfind('.'));
    std::istringstream lines(readFile(base + ".log"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind, pid;
        unsigned long long ms = 0;
        words >> kind >> ms >> pid;
        if (kind == "start") {
            record.started = true;
            record.start = ms;
            record.pid = static_cast<DWORD>(std::stoul(pid));
            // The folders the tests start children in have no spaces.
            words >> record.directory;
            std::getline(words, record.arguments);
            if (!record.arguments.empty() && record.arguments[0] == ' ')
                record.arguments.erase(0, 1);
        } else if (kind == "end") {
            record.ended = true;
            record.end = ms;
        }
    }
    return record;
}

namespace {

// The hex-coded UTF-8 texts of the log lines of one kind ("path " or "line ").
std::vector<std::string> loggedTexts(const std::wstring& childPath, const std::string& kind)
{
    std::istringstream lines(readWideFile(childPath.substr(0, childPath.rfind(L'.')) + L".log"));
    std::vector<std::string> paths;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, 5, kind) != 0)
            continue;
        std::string path;
        for (std::size_t i = 5; i + 1 < line.size(); i += 2)
            path += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
        paths.push_back(path);
    }
    return paths;
}

}  // namespace

std::vector<std::string> childRealPaths(const std::wstring& childPath)
{
    return loggedTexts(childPath, "path ");
}

std::vector<std::string> childCommandLines(const std::wstring& childPath)
{
    return loggedTexts(childPath, "line ");
}

void stopChild(const ChildRecord& record)
{
    if (!record.started || record.ended || record.pid == 0)
        return;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, record.pid);
    if (!process)
        return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}
