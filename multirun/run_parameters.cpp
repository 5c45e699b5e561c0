#include "multirun/run_parameters.h"

#include "common/path_text.h"

bool isShortcutPath(const std::string& path)
{
    static const char extension[] = ".lnk";
    if (path.size() < 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = path[path.size() - 4 + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != extension[i])
            return false;
    }
    return true;
}

std::string runParameters(const std::string& shortcutArguments, const RunEntry& entry)
{
    return cutWhole(shortcutArguments + entryParameterPart(entry), runParameterLimit);
}
