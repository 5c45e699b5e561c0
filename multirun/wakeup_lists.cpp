#include "multirun/wakeup_lists.h"

#include "common/path_text.h"
#include "framework/profile_store.h"
#include "settings/profile_names.h"

#include <algorithm>

namespace names = profile_names;

namespace {

std::string withForwardSlashes(std::string path)
{
    toForwardSlashes(path);
    return path;
}

}  // namespace

void WakeupLists::load(ProfileStore& profile)
{
    paths_.clear();
    int count = profile.readInt(names::onWakeupSection, names::numberValue, 0);
    count = std::min(count, maxCount);
    for (int i = 0; i < count; ++i) {
        std::string path = profile.readString(names::onWakeupSection, threeDigitName(i), "");
        if (!path.empty())
            paths_.push_back(path);
    }
}

void WakeupLists::save(ProfileStore& profile) const
{
    int count = static_cast<int>(paths_.size());
    for (int i = 0; i < count; ++i)
        profile.writeString(names::onWakeupSection, threeDigitName(i), paths_[i]);
    profile.writeInt(names::onWakeupSection, names::numberValue, count);
    for (int i = count; profile.deleteValue(names::onWakeupSection, threeDigitName(i)); ++i) {
    }
}

void WakeupLists::prune(const std::vector<std::string>& registeredPaths)
{
    paths_.erase(std::remove_if(paths_.begin(), paths_.end(),
                                [&](const std::string& path) {
                                    return std::find(registeredPaths.begin(),
                                                     registeredPaths.end(),
                                                     path) == registeredPaths.end();
                                }),
                 paths_.end());
}

void WakeupLists::add(ProfileStore& profile, const std::string& path)
{
    std::string marked = withForwardSlashes(path);
    if (contains(marked))
        return;
    paths_.push_back(marked);
    save(profile);
}

void WakeupLists::remove(ProfileStore& profile, const std::string& path)
{
    auto found = std::find(paths_.begin(), paths_.end(), withForwardSlashes(path));
    if (found == paths_.end())
        return;
    paths_.erase(found);
    save(profile);
}

bool WakeupLists::contains(const std::string& path) const
{
    return std::find(paths_.begin(), paths_.end(), withForwardSlashes(path)) != paths_.end();
}

std::string registeredPath(const std::string& listFolder, const std::string& fileName)
{
    return withForwardSlashes(listFolder + "/" + fileName);
}

std::string registeredListPattern(const std::string& listFolder)
{
    return listFolder + "/*.sqx";
}

int findRegisteredList(const std::vector<std::string>& registeredPaths, const std::string& path)
{
    auto found = std::find(registeredPaths.begin(), registeredPaths.end(),
                           withForwardSlashes(path));
    return found == registeredPaths.end() ? -1
                                          : static_cast<int>(found - registeredPaths.begin());
}
