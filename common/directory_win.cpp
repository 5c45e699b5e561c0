#include "common/directory_win.h"

#include "common/path_text.h"

#include <windows.h>

bool createDirectoryPath(std::string& path)
{
    toForwardSlashes(path);
    std::size_t separator = findLastSeparator(path);
    if (separator != std::string::npos) {
        std::string ancestor = path.substr(0, separator);
        // Ancestors such as "C:" or the empty text before a leading separator cannot be
        // created; only the outcome for the full path counts.
        createDirectoryPath(ancestor);
        path = ancestor + '\\' + path.substr(separator + 1);
    }
    if (CreateDirectoryA(path.c_str(), nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS;
}
