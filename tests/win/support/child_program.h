// The child program of the tests (tests/tools/qchild.cpp), copied under other names: each copy
// records its own starts and ends in <its path without .exe>.log, and this reads them back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Copies qchild.exe from beside the test program into the folder as <name>.exe; with sleepMs
// above 0 the copy stays alive that long before it ends, with untilStopped until it is stopped.
// Answers the copy's path.
constexpr int untilStopped = -1;
std::string copyChild(const std::string& folder, const std::string& name, int sleepMs);

// The log of one copy: "start <ms> <pid> <working directory> <arguments>" and "end <ms> <pid>"
// lines, ms counted from the system's start. The last start and the last end count.
struct ChildRecord {
    bool started = false;
    bool ended = false;
    unsigned long long start = 0;
    unsigned long long end = 0;
    DWORD pid = 0;
    std::string directory;
    std::string arguments;
};
ChildRecord readChildRecord(const std::string& childPath);

// The real paths (UTF-8) a copy logged itself started from, read from the log beside the copy
// at the real (UTF-16) path.
std::vector<std::string> childRealPaths(const std::wstring& childPath);
// The UTF-16 command lines (in UTF-8) of its starts, read the same way.
std::vector<std::string> childCommandLines(const std::wstring& childPath);

// Ends a child that started and has not ended yet, by its process id, and waits for its end.
void stopChild(const ChildRecord& record);
