#include "multirun/run_entry.h"

#include <algorithm>

RunEntry entryForPath(const std::string& path)
{
    return {path, static_cast<std::int32_t>(path.size())};
}

RunEntry entryForRealPath(const std::string& ansiPath, const std::u16string& realPath)
{
    RunEntry entry = entryForPath(ansiPath);
    entry.realPath = realPath;
    return entry;
}

int firstEntryWithRealPath(const std::vector<RunEntry>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].realPath.empty())
            return static_cast<int>(i);
    }
    return -1;
}

std::size_t pathChars(const RunEntry& entry)
{
    if (entry.pathLength <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(entry.pathLength), entry.entryText.size());
}

std::string entryPath(const RunEntry& entry)
{
    return entry.entryText.substr(0, pathChars(entry));
}

std::string entryParameterPart(const RunEntry& entry)
{
    return entry.entryText.substr(pathChars(entry));
}
