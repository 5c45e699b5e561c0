// The list files marked to run at every start, kept in the profile as MultipleLaunch\OnWakeup:
// Number and one "%03d" text per path. Paths are held with forward slashes and compared as
// Windows compares file names: separators either way, letter case ignored, and (given a key
// that knows the disk) a short name equal to its long one.
#pragma once

#include <functional>
#include <string>
#include <vector>

class ProfileStore;

// What two paths of the same file have in common. The portable key turns separators into "/"
// and folds ASCII letters to lower case outside double-byte characters; the window's key
// first makes the path full and long from the disk.
using PathKey = std::function<std::string(const std::string&)>;
std::string foldedPathKey(const std::string& path);

class WakeupLists {
public:
    explicit WakeupLists(PathKey key = foldedPathKey) : key_(std::move(key)) {}

    // Reads Number and the texts "000", "001", ...; empty or missing texts are skipped.
    void load(ProfileStore& profile);
    // Writes every path and Number, then deletes the stale texts from Number on until a
    // deletion fails.
    void save(ProfileStore& profile) const;

    // The marked lists that are among the registered ones, in the order they were marked. A
    // mark whose file is not found is kept: the folder may only be out of reach for now.
    std::vector<std::string> toRun(const std::vector<std::string>& registeredPaths) const;

    // Both save at once when they change something.
    void add(ProfileStore& profile, const std::string& path);
    void remove(ProfileStore& profile, const std::string& path);
    bool contains(const std::string& path) const;

    const std::vector<std::string>& paths() const { return paths_; }

    // A damaged profile may claim any count; no more are read than three digits can name.
    static constexpr int maxCount = 1000;

private:
    int find(const std::string& path) const;

    PathKey key_;
    std::vector<std::string> paths_;
};

// The path of a registered list as the lists box keeps it: "%s/%s" of the list folder and the
// file name, every backslash a forward slash.
std::string registeredPath(const std::string& listFolder, const std::string& fileName);

// The search pattern of the registered lists: "%s/*.%s" of the list folder and "sqx".
std::string registeredListPattern(const std::string& listFolder);

// Index of the registered list that is the path's file, -1 when none is.
int findRegisteredList(const std::vector<std::string>& registeredPaths, const std::string& path,
                       const PathKey& key = foldedPathKey);
