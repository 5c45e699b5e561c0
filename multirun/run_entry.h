// One entry of a run list: the path, optionally a space and the start parameters.
#pragma once

#include <cstdint>
#include <string>

struct RunEntry {
    std::string entryText;
    // Number of characters at the start of entryText that form the path.
    std::int32_t pathLength = 0;
};

inline bool operator==(const RunEntry& a, const RunEntry& b)
{
    return a.entryText == b.entryText && a.pathLength == b.pathLength;
}
