#include "installer/install_files_win.h"

#include "common/path_text.h"
#include "framework/handles_win.h"

namespace {

bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& information)
{
    // Attributes only: a running program or an open file can still be asked.
    FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    return file && GetFileInformationByHandle(file.get(), &information);
}

void dropReadOnly(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return fileIdentity(a, first) && fileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

DWORD stageCopy(const std::string& source, const std::string& destination, std::string& staged)
{
    staged.clear();
    if (sameFile(source, destination))
        return ERROR_SUCCESS;
    std::string folder;
    if (!parentDirectory(destination, folder))
        folder = ".";
    // A name of the system's making in the destination's folder: the later move is a rename on
    // one volume, which either happens whole or not at all.
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "qtl", 0, name) == 0)
        return GetLastError();
    if (!CopyFileA(source.c_str(), name, FALSE)) {
        DWORD error = GetLastError();
        DeleteFileA(name);
        return error;
    }
    dropReadOnly(name);
    staged = name;
    return ERROR_SUCCESS;
}

DWORD putInPlace(const std::string& staged, const std::string& destination)
{
    dropReadOnly(destination);
    if (MoveFileExA(staged.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    DeleteFileA(staged.c_str());
    return error;
}

DWORD replaceFile(const std::string& source, const std::string& destination)
{
    std::string staged;
    DWORD error = stageCopy(source, destination, staged);
    if (error != ERROR_SUCCESS || staged.empty())
        return error;
    return putInPlace(staged, destination);
}

DWORD removeFile(const std::string& path)
{
    dropReadOnly(path);
    if (DeleteFileA(path.c_str()))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : error;
}

unsigned long long fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
