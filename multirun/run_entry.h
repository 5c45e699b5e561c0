// One entry of a run list: the path, optionally a space and the start parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct RunEntry {
    RunEntry() = default;
    RunEntry(std::string text, std::int32_t length, std::u16string real = {})
        : entryText(std::move(text)), pathLength(length), realPath(std::move(real))
    {
    }

    std::string entryText;
    // Number of characters at the start of entryText that form the path. A list file can give
    // any number here, negative or beyond the text; pathChars gives the usable length.
    std::int32_t pathLength = 0;
    // The real path (UTF-16) of an entry whose name the ANSI code page cannot hold; empty for
    // every other. The entry runs by it; entryText then has "?" for what the code page lacks,
    // and the list file cannot hold the entry.
    std::u16string realPath;
};

inline bool operator==(const RunEntry& a, const RunEntry& b)
{
    return a.entryText == b.entryText && a.pathLength == b.pathLength &&
           a.realPath == b.realPath;
}

// An entry for a path without parameters.
RunEntry entryForPath(const std::string& path);

// The same for a path the code page cannot hold: ansiPath is its form with "?".
RunEntry entryForRealPath(const std::string& ansiPath, const std::u16string& realPath);

// The first entry the list file cannot hold (one with a real path), or -1.
int firstEntryWithRealPath(const std::vector<RunEntry>& list);

// pathLength kept within the text: 0 for a negative number, the text's length for a larger one.
std::size_t pathChars(const RunEntry& entry);

// The path: the first pathLength characters (the whole text when it is shorter).
std::string entryPath(const RunEntry& entry);

// Everything after the path, the separating space included ("" when there is nothing).
std::string entryParameterPart(const RunEntry& entry);
