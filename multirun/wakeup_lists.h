// The list files marked to run at every start, kept in the profile as MultipleLaunch\OnWakeup:
// Number and one "%03d" text per path. Paths are held with forward slashes and compared byte for
// byte, letter case included.
#pragma once

#include <string>
#include <vector>

class ProfileStore;

class WakeupLists {
public:
    // Reads Number and the texts "000", "001", ...; empty or missing texts are skipped.
    void load(ProfileStore& profile);
    // Writes every path and Number, then deletes the stale texts from Number on until a
    // deletion fails.
    void save(ProfileStore& profile) const;

    // Drops every path that is not among the registered lists; memory only.
    void prune(const std::vector<std::string>& registeredPaths);

    // Both save at once when they change something.
    void add(ProfileStore& profile, const std::string& path);
    void remove(ProfileStore& profile, const std::string& path);
    bool contains(const std::string& path) const;

    const std::vector<std::string>& paths() const { return paths_; }

    // A damaged profile may claim any count; no more are read than three digits can name.
    static constexpr int maxCount = 1000;

private:
    std::vector<std::string> paths_;
};

// The path of a registered list as the lists box keeps it: "%s/%s" of the list folder and the
// file name, every backslash a forward slash.
std::string registeredPath(const std::string& listFolder, const std::string& fileName);

// The search pattern of the registered lists: "%s/*.%s" of the list folder and "sqx".
std::string registeredListPattern(const std::string& listFolder);

// Index of the registered list whose path equals the path (given with either separator), -1
// when none does.
int findRegisteredList(const std::vector<std::string>& registeredPaths, const std::string& path);
