// A folder's entries as the listing gives them, read on a thread of their own: a sleeping disk
// or a share that does not answer holds up that thread, never the open menu waiting for it.
#pragma once

#include "framework/handles_win.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
    // What tells an entry unchanged since the last look.
    ULONGLONG size = 0;
    FILETIME written{};
};

// The entries of the folder in the listing's order, "." and ".." left out; false when the
// folder cannot be listed.
bool listFolder(const std::wstring& folder, std::vector<ListedEntry>& entries);

class FolderListing {
public:
    // Starts listing the folder at once.
    explicit FolderListing(std::wstring folder);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    const std::wstring& folder() const { return folder_; }
    // Waits at most that long; true once the listing has ended, after which its results may be
    // read.
    bool waitFor(DWORD ms) const;
    bool opened() const;
    const std::vector<ListedEntry>& entries() const;

private:
    struct Result;
    static DWORD WINAPI run(LPVOID result);

    std::wstring folder_;
    // Shared with the thread, which may outlive this object when the folder never answers.
    std::shared_ptr<Result> result_;
    KernelHandle done_;
};
