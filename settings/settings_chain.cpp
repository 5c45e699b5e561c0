#include "settings/settings_chain.h"

#include <new>

SettingsChain::SettingsChain()
{
    nodes_.emplace_back();
}

LauncherSettings* SettingsChain::findFolderSettings(const std::string& path)
{
    for (auto it = std::next(nodes_.begin()); it != nodes_.end(); ++it) {
        if (it->Folder == path)
            return &*it;
    }
    return nullptr;
}

LauncherSettings* SettingsChain::addFolderSettings(const LauncherSettings& set)
{
    if (folderSetCount() >= maxFolderSets)
        return nullptr;
    try {
        nodes_.push_back(set);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return &nodes_.back();
}

bool SettingsChain::removeFolderSettings(const std::string& path)
{
    for (auto it = std::next(nodes_.begin()); it != nodes_.end(); ++it) {
        if (it->Folder == path) {
            nodes_.erase(it);
            return true;
        }
    }
    return false;
}

void SettingsChain::clearFolderSets()
{
    nodes_.erase(std::next(nodes_.begin()), nodes_.end());
}

LauncherSettings& SettingsChain::settingsFor(const std::string& folder)
{
    LauncherSettings* own = findFolderSettings(folder);
    return own ? *own : standard();
}
