// The double-byte path helpers take any bytes: a split must put the path back together, no scan
// may take the second byte of a double-byte character for a separator, and no cut may end
// between the two bytes of one.
#include "common/dbcs.h"
#include "common/path_text.h"
#include "tests/fuzz/require.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Which bytes are the second byte of a double-byte character, read from the front.
std::vector<bool> trailBytes(const std::string& text)
{
    std::vector<bool> trail(text.size(), false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(text[i]) && i + 1 < text.size())
            trail[++i] = true;
    }
    return trail;
}

bool isSeparatorAt(const std::string& text, const std::vector<bool>& trail, std::size_t i)
{
    return i < text.size() && !trail[i] && isPathSeparator(text[i]);
}

bool endsWhole(const std::string& text, std::size_t end)
{
    return end == 0 || end >= text.size() || !trailBytes(text)[end];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::vector<bool> trail = trailBytes(path);

    std::size_t last = findLastSeparator(path);
    if (last != std::string::npos) {
        require(isSeparatorAt(path, trail, last));
        for (std::size_t i = last + 1; i < path.size(); ++i)
            require(!isSeparatorAt(path, trail, i));
    } else {
        for (std::size_t i = 0; i < path.size(); ++i)
            require(!isSeparatorAt(path, trail, i));
    }
    std::string component = lastComponent(path);
    require(path.size() >= component.size() &&
            path.compare(path.size() - component.size(), component.size(), component) == 0);

    PathParts parts = splitPath(path);
    require(parts.drive + parts.directory + parts.name + parts.extension == path);
    require(parts.extension.empty() || parts.extension[0] == '.');
    require(makePath(parts.drive, parts.directory, parts.name, parts.extension) == path);

    // Only backslashes that are characters of their own turn, and back.
    std::string forward = path;
    toForwardSlashes(forward);
    require(forward.size() == path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        bool turns = !trail[i] && path[i] == '\\';
        require(forward[i] == (turns ? '/' : path[i]));
    }
    std::string back = forward;
    toBackslashes(back);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!trail[i] && isPathSeparator(path[i]))
            require(back[i] == '\\');
        else
            require(back[i] == path[i]);
    }

    // The parent is the path up to one of its separators (never position 0), within 259 bytes.
    std::string parent;
    bool found = parentDirectory(path, parent);
    std::string limited = cutWhole(path, maxPathChars);
    require(limited.size() <= maxPathChars && limited == path.substr(0, limited.size()));
    require(endsWhole(path, limited.size()));
    if (found) {
        require(!parent.empty() && parent.size() < limited.size());
        require(limited.compare(0, parent.size(), parent) == 0);
        require(isSeparatorAt(limited, trailBytes(limited), parent.size()));
    } else {
        require(parent == limited);
    }

    // A cut at a length the input chooses.
    std::size_t limit = size == 0 ? 0 : data[0] % (size + 2);
    std::string cut = cutWhole(path, limit);
    require(cut.size() <= limit && cut == path.substr(0, cut.size()));
    require(endsWhole(path, cut.size()));
    require(cut.size() + 1 >= std::min(limit, path.size()));
    return 0;
}
