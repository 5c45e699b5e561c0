#include "common/path_compare_win.h"

#include <windows.h>

#include <vector>

namespace {

std::string fullLongPath(const std::string& path)
{
    std::vector<char> full(MAX_PATH * 4, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                    nullptr);
    if (length == 0 || length >= full.size())
        return path;
    std::vector<char> longer(MAX_PATH * 4, '\0');
    length = GetLongPathNameA(full.data(), longer.data(), static_cast<DWORD>(longer.size()));
    if (length == 0 || length >= longer.size())
        return full.data();
    return longer.data();
}

}  // namespace

bool samePath(const std::string& a, const std::string& b)
{
    std::string first = fullLongPath(a);
    std::string second = fullLongPath(b);
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, first.c_str(),
                          static_cast<int>(first.size()), second.c_str(),
                          static_cast<int>(second.size())) == CSTR_EQUAL;
}
