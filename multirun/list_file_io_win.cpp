#include "multirun/list_file_io_win.h"

#include "common/path_text.h"
#include "framework/handles_win.h"
#include "multirun/wakeup_lists.h"

#include <algorithm>
#include <vector>

namespace {

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    // On disk before it takes the list's place: after a power cut NTFS may otherwise keep the
    // rename but not the data, an empty list.
    return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool readListFileFrom(const std::string& path, ListFileContent& content)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    ListFileReader reader;
    std::vector<char> block(64 * 1024);
    DWORD got = 0;
    while (!reader.refused() &&
           ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
           got > 0)
        reader.addBytes(block.data(), got);
    content = reader.finish();
    return true;
}

namespace {

// A file of our own beside the list, never one that was there: the user's file or folder of
// that name stays as it is. The names keep the list's length, so one fits wherever the list
// fits (a system temporary name does not near the path limit).
FileHandle createTemporaryBeside(const std::string& path, std::string& temporary)
{
    std::string first = temporaryListPath(path);
    std::vector<std::string> names{first};
    for (char digit = '0'; digit <= '9'; ++digit)
        names.push_back(first.substr(0, first.size() - 1) + digit);
    for (const std::string& name : names) {
        FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            temporary = name;
            return file;
        }
        // Taken (a file or a folder of that name): the next name. Anything else holds for all.
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED)
            break;
    }
    temporary.clear();
    return FileHandle();
}

}  // namespace

bool writeFileReplacing(const std::string& path, const std::string& bytes)
{
    std::string temporary;
    bool written = false;
    {
        FileHandle file = createTemporaryBeside(path, temporary);
        if (temporary.empty())
            return false;
        written = writeAll(file.get(), bytes);
    }
    if (written) {
        // An existing list keeps its attributes and security; a new one is simply named.
        bool replaced =
            GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES
                ? ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
                : MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
        if (replaced)
            return true;
    }
    DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    SetLastError(error);
    return false;
}

std::string diskPathKey(const std::string& path)
{
    std::string native = path;
    toBackslashes(native);
    char full[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(native.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return foldedPathKey(native);
    char longForm[MAX_PATH] = {};
    length = GetLongPathNameA(full, longForm, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return foldedPathKey(full);
    return foldedPathKey(longForm);
}
