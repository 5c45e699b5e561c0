// The parameter text of a run from any shortcut arguments and any list entry (a list file may
// give any path length): never more than the start's buffer holds, never cut inside a
// double-byte character, and always the shortcut's arguments followed by the entry's own.
#include "common/dbcs.h"
#include "multirun/run_entry.h"
#include "multirun/run_parameters.h"
#include "tests/fuzz/require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool cutsInsideACharacter(const std::string& whole, std::size_t end)
{
    if (end == 0 || end >= whole.size())
        return false;
    std::size_t i = 0;
    while (i < end)
        i += isLeadByte(whole[i]) && i + 1 < whole.size() ? 2 : 1;
    return i != end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    RunEntry entry;
    entry.pathLength = input.ConsumeIntegral<std::int32_t>();
    std::string arguments = input.ConsumeRandomLengthString(600);
    entry.entryText = input.ConsumeRemainingBytesAsString();

    std::size_t chars = pathChars(entry);
    require(chars <= entry.entryText.size());
    require(entryPath(entry).size() == chars);
    require(entryPath(entry) + entryParameterPart(entry) == entry.entryText);

    std::string whole = arguments + entryParameterPart(entry);
    std::string parameters = runParameters(arguments, entry);
    require(parameters.size() <= runParameterLimit);
    require(whole.compare(0, parameters.size(), parameters) == 0);
    require(!cutsInsideACharacter(whole, parameters.size()));
    if (whole.size() <= runParameterLimit)
        require(parameters == whole);
    else
        require(parameters.size() + 1 >= runParameterLimit);

    std::string path = entryPath(entry);
    bool shortcut = path.size() >= 4;
    for (std::size_t i = 0; shortcut && i < 4; ++i) {
        char c = path[path.size() - 4 + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
        shortcut = c == ".lnk"[i];
    }
    require(isShortcutPath(path) == shortcut);
    return 0;
}
