#include "multirun/run_list_editing.h"

#include <algorithm>
#include <utility>

namespace {

bool isEntry(const RunList& list, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

}  // namespace

std::string fieldParameters(const RunEntry& entry)
{
    std::size_t start = pathChars(entry) + 1;
    return start < entry.entryText.size() ? entry.entryText.substr(start) : std::string();
}

RunEntry withFieldParameters(const RunEntry& entry, const std::string& parameters)
{
    return {entryPath(entry) + " " + parameters, entry.pathLength, entry.realPath};
}

int moveEntryUp(RunList& list, int selected)
{
    if (!isEntry(list, selected) || selected == 0)
        return selected;
    std::swap(list[selected - 1], list[selected]);
    return selected - 1;
}

int moveEntryDown(RunList& list, int selected)
{
    if (!isEntry(list, selected) || !isEntry(list, selected + 1))
        return selected;
    std::swap(list[selected], list[selected + 1]);
    return selected + 1;
}

int removeEntry(RunList& list, int selected)
{
    if (!isEntry(list, selected))
        return selected;
    list.erase(list.begin() + selected);
    if (list.empty())
        return -1;
    return std::min(selected, static_cast<int>(list.size()) - 1);
}
