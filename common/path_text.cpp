#include "common/path_text.h"

#include "common/dbcs.h"

#include <vector>

namespace {

// Calls visit(i) for each byte that is a character of its own, skipping the second byte of every
// double-byte character. A backward walk could not tell a trail byte from a single-byte one.
template <class Visit>
void forEachSingleByte(const std::string& text, Visit visit)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(text[i])) {
            if (i + 1 < text.size())
                ++i;
            continue;
        }
        visit(i);
    }
}

std::vector<bool> separatorMap(const std::string& path)
{
    std::vector<bool> map(path.size(), false);
    forEachSingleByte(path, [&](std::size_t i) { map[i] = isPathSeparator(path[i]); });
    return map;
}

}  // namespace

std::size_t findLastSeparator(const std::string& path)
{
    std::size_t last = std::string::npos;
    forEachSingleByte(path, [&](std::size_t i) {
        if (isPathSeparator(path[i]))
            last = i;
    });
    return last;
}

void toForwardSlashes(std::string& path)
{
    forEachSingleByte(path, [&](std::size_t i) {
        if (path[i] == '\\')
            path[i] = '/';
    });
}

void toBackslashes(std::string& path)
{
    forEachSingleByte(path, [&](std::size_t i) {
        if (path[i] == '/')
            path[i] = '\\';
    });
}

bool parentDirectory(const std::string& path, std::string& parent)
{
    parent = cutWhole(path, maxPathChars);
    if (parent.size() < 2)
        return false;
    std::vector<bool> separator = separatorMap(parent);
    std::size_t end = parent.size() - 1;
    while (end > 0 && separator[end])
        --end;
    std::size_t position = end;
    while (position > 0 && !separator[position])
        --position;
    if (position == 0)
        return false;
    parent.resize(position);
    return true;
}

PathParts splitPath(const std::string& path)
{
    PathParts parts;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !isLeadByte(path[0])) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    std::string rest = path.substr(start);
    std::size_t separator = findLastSeparator(rest);
    std::string file;
    if (separator == std::string::npos) {
        file = rest;
    } else {
        parts.directory = rest.substr(0, separator + 1);
        file = rest.substr(separator + 1);
    }
    std::size_t dot = std::string::npos;
    forEachSingleByte(file, [&](std::size_t i) {
        if (file[i] == '.')
            dot = i;
    });
    if (dot == std::string::npos) {
        parts.name = file;
    } else {
        parts.name = file.substr(0, dot);
        parts.extension = file.substr(dot);
    }
    return parts;
}

std::string makePath(const std::string& drive, const std::string& directory,
                     const std::string& name, const std::string& extension)
{
    std::string path;
    if (!drive.empty()) {
        path += drive[0];
        path += ':';
    }
    if (!directory.empty()) {
        path += directory;
        std::size_t last = findLastSeparator(directory);
        if (last == std::string::npos || last != directory.size() - 1)
            path += '\\';
    }
    path += name;
    if (!extension.empty()) {
        if (extension[0] != '.')
            path += '.';
        path += extension;
    }
    return path;
}

std::string lastComponent(const std::string& path)
{
    std::size_t separator = findLastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string cutWhole(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = 0;
    while (end < maxBytes) {
        std::size_t width = isLeadByte(text[end]) && end + 1 < text.size() ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return text.substr(0, end);
}
