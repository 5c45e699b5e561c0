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

bool writeFileReplacing(const std::string& path, const std::string& bytes)
{
    std::string temporary = temporaryListPath(path);
    bool written = false;
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && writeAll(file.get(), bytes);
    }
    if (written &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
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
