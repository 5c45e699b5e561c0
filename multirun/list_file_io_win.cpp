#include "multirun/list_file_io_win.h"

#include "common/path_text.h"
#include "framework/handles_win.h"

#include <algorithm>
#include <vector>

namespace {

// The folder a temporary file beside the path goes into.
std::string folderOf(const std::string& path)
{
    std::string folder;
    if (!parentDirectory(path, folder))
        return ".";
    // "C:" alone names the drive's current directory, not its root.
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

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
    char temporary[MAX_PATH] = {};
    if (!GetTempFileNameA(folderOf(path).c_str(), "sqx", 0, temporary))
        return false;
    bool written = false;
    {
        FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && writeAll(file.get(), bytes);
    }
    if (written &&
        MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}
