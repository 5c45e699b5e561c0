// All display settings of the program: the standard set first, then the folder-specific sets in
// the order they were loaded or added. Sets keep their addresses for as long as they are in the
// chain, so the set in force can be held by pointer.
#pragma once

#include "settings/launcher_settings.h"

#include <cstddef>
#include <list>
#include <string>

class SettingsChain {
public:
    static constexpr std::size_t maxFolderSets = 100;

    SettingsChain();

    LauncherSettings& standard() { return nodes_.front(); }
    const LauncherSettings& standard() const { return nodes_.front(); }

    // The first folder-specific set whose Folder is byte for byte the path; never the standard
    // set.
    LauncherSettings* findFolderSettings(const std::string& path);

    // Appends a copy and returns it, or nullptr when 100 folder-specific sets exist or memory
    // runs out.
    LauncherSettings* addFolderSettings(const LauncherSettings& set);

    // Removes the set that findFolderSettings would return; false when there is none.
    bool removeFolderSettings(const std::string& path);

    std::size_t folderSetCount() const { return nodes_.size() - 1; }
    void clearFolderSets();

    // The folder-specific sets in chain order.
    template <class Visit>
    void forEachFolderSet(Visit visit)
    {
        for (auto it = std::next(nodes_.begin()); it != nodes_.end(); ++it)
            visit(*it);
    }
    template <class Visit>
    void forEachFolderSet(Visit visit) const
    {
        for (auto it = std::next(nodes_.begin()); it != nodes_.end(); ++it)
            visit(*it);
    }

    // The set in force for a folder: its own set, or the standard set.
    LauncherSettings& settingsFor(const std::string& folder);

private:
    std::list<LauncherSettings> nodes_;
};
