// One entry of a run list: the path, optionally a space and the start parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct RunEntry {
    std::string entryText;
    // Number of characters at the start of entryText that form the path. A list file can give
    // any number here, negative or beyond the text; pathChars gives the usable length.
    std::int32_t pathLength = 0;
};

inline bool operator==(const RunEntry& a, const RunEntry& b)
{
    return a.entryText == b.entryText && a.pathLength == b.pathLength;
}

// An entry for a path without parameters.
RunEntry entryForPath(const std::string& path);

// pathLength kept within the text: 0 for a negative number, the text's length for a larger one.
std::size_t pathChars(const RunEntry& entry);

// The path: the first pathLength characters (the whole text when it is shorter).
std::string entryPath(const RunEntry& entry);

// Everything after the path, the separating space included ("" when there is nothing).
std::string entryParameterPart(const RunEntry& entry);
