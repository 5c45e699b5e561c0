#include "launcher/folder_listing_win.h"

bool listFolder(const std::wstring& folder, std::vector<ListedEntry>& entries)
{
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((folder + L"\\*.*").c_str(), &found));
    if (!search)
        return false;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        entries.push_back({std::move(name), found.dwFileAttributes,
                           (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                           found.ftLastWriteTime});
    } while (FindNextFileW(search.get(), &found));
    return true;
}

struct FolderListing::Result {
    std::wstring folder;
    std::vector<ListedEntry> entries;
    bool opened = false;
    HANDLE done = nullptr;
};

namespace {

// What the thread is handed: its own reference to the result.
struct ThreadStart {
    std::shared_ptr<void> keep;
    void* result;
};

}  // namespace

FolderListing::FolderListing(std::wstring folder)
    : folder_(std::move(folder)), result_(std::make_shared<Result>()),
      done_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    result_->folder = folder_;
    if (!done_)
        return;
    // The event is the thread's own handle of it, closed when the thread has set it.
    HANDLE forThread = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), done_.get(), GetCurrentProcess(), &forThread, 0,
                         FALSE, DUPLICATE_SAME_ACCESS))
        return;
    result_->done = forThread;
    auto* start = new ThreadStart{result_, result_.get()};
    KernelHandle thread(CreateThread(nullptr, 0, run, start, 0, nullptr));
    if (!thread) {
        delete start;
        CloseHandle(forThread);
        result_->done = nullptr;
        // Listed here instead: slower, never wrong.
        result_->opened = listFolder(folder_, result_->entries);
        SetEvent(done_.get());
    }
}

FolderListing::~FolderListing() = default;

DWORD WINAPI FolderListing::run(LPVOID parameter)
{
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
    auto* result = static_cast<Result*>(start->result);
    result->opened = listFolder(result->folder, result->entries);
    SetEvent(result->done);
    CloseHandle(result->done);
    return 0;
}

bool FolderListing::waitFor(DWORD ms) const
{
    return done_ && WaitForSingleObject(done_.get(), ms) == WAIT_OBJECT_0;
}

bool FolderListing::opened() const
{
    return result_->opened;
}

const std::vector<ListedEntry>& FolderListing::entries() const
{
    return result_->entries;
}
