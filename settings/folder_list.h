// The list of launcher folders as the profile keeps it: FolderList/Number and the paths
// AppFolder(00) to AppFolder(98) in list order. The profile is the authority for the count.
#pragma once

#include <string>
#include <vector>

class ProfileStore;

// Indices 00 to 98: two digits in the value names, and folder hot key ids and folder command
// ids stay clear of the launcher's own ids.
constexpr int maxFolders = 99;

extern const char folderListFullMessage[];

// FolderList/Number as stored, bounded to 0..99: a damaged count neither reads thousands of
// values nor makes ids beyond the folder range.
int readFolderCount(ProfileStore& profile);

// The stored paths in list order (a missing value gives an empty path).
std::vector<std::string> readFolderList(ProfileStore& profile);

// Appends a path to the stored list; false when 99 folders are stored already.
bool appendFolder(ProfileStore& profile, const std::string& path);

// Removes entry index from paths and rewrites the stored list from it: the new count, the
// paths renumbered from AppFolder(00), and the last old value deleted. Answers false (and
// changes nothing) for an index outside the list.
bool removeFolder(ProfileStore& profile, std::vector<std::string>& paths, int index);

// The list box line: "[*] " in front of a folder that owns its own settings.
std::string folderListLine(const std::string& path, bool hasOwnSettings);

// Who is told when the list changes: the windows and menus that show it, the hot keys that
// follow its indices.
class FolderListListener {
public:
    virtual ~FolderListListener() = default;
    virtual void folderAppended(const std::string& path) = 0;
    // Every later folder moved down one index.
    virtual void folderRemoved(int index, int countBefore) = 0;
    virtual void folderListReloaded() = 0;
};

// The launcher folders in list order, kept in step with the profile.
class FolderList {
public:
    explicit FolderList(ProfileStore& profile) : profile_(profile) {}

    // Listeners are told in the order they were added.
    void addListener(FolderListListener& listener) { listeners_.push_back(&listener); }

    const std::vector<std::string>& paths() const { return folderPaths; }
    std::size_t size() const { return folderPaths.size(); }
    bool isIndex(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < folderPaths.size();
    }
    const std::string& at(int index) const { return folderPaths[static_cast<std::size_t>(index)]; }
    // FolderList/Number as the profile holds it now.
    int storedCount() const { return readFolderCount(profile_); }
    // Whether a line other than index lists the same path.
    bool listedElsewhere(const std::string& path, int index) const;

    // The list as the profile holds it now.
    void reload();
    // Appends a folder; false (nothing changed) when 99 are listed already. An empty path is
    // not a folder: nothing happens, and that is no failure.
    bool add(const std::string& path);
    // False (nothing changed) for an index outside the list.
    bool remove(int index);

private:
    ProfileStore& profile_;
    std::vector<FolderListListener*> listeners_;
    std::vector<std::string> folderPaths;
};

// The report of a drop: every dropped entry that is not a folder, then the closing sentences.
class DropReport {
public:
    // Paths this long or longer are refused without looking at them.
    static constexpr std::size_t tooLongLength = 260;

    static bool isTooLong(const std::string& path) { return path.size() >= tooLongLength; }

    void addNotFolder(const std::string& path);
    void addTooLong(const std::string& path);

    bool empty() const { return lines_.empty(); }
    // Empty when nothing was refused.
    std::string text() const;

private:
    std::string lines_;
};
