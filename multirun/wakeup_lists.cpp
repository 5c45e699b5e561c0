#include "multirun/wakeup_lists.h"

#include "common/dbcs.h"
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

std::string foldedPathKey(const std::string& path)
{
    std::string key = withForwardSlashes(path);
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (isLeadByte(key[i]) && i + 1 < key.size()) {
            ++i;  // a trail byte may look like a letter and is no letter
            continue;
        }
        if (key[i] >= 'A' && key[i] <= 'Z')
            key[i] = static_cast<char>(key[i] - 'A' + 'a');
    }
    return key;
}

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

std::vector<std::string> WakeupLists::toRun(const std::vector<std::string>& registeredPaths) const
{
    std::vector<std::string> found;
    std::vector<bool> taken(registeredPaths.size(), false);
    for (const std::string& path : paths_) {
        // Two spellings of one list, as an older version could store them, run it once.
        int index = findRegisteredList(registeredPaths, path, key_);
        if (index >= 0 && !taken[static_cast<std::size_t>(index)]) {
            taken[static_cast<std::size_t>(index)] = true;
            found.push_back(path);
        }
    }
    return found;
}

int WakeupLists::find(const std::string& path) const
{
    std::string wanted = key_(path);
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        if (key_(paths_[i]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

void WakeupLists::add(ProfileStore& profile, const std::string& path)
{
    if (contains(path))
        return;
    paths_.push_back(withForwardSlashes(path));
    save(profile);
}

void WakeupLists::remove(ProfileStore& profile, const std::string& path)
{
    // Every spelling of the file goes: an older version could store it twice.
    std::size_t before = paths_.size();
    for (int found = find(path); found >= 0; found = find(path))
        paths_.erase(paths_.begin() + found);
    if (paths_.size() != before)
        save(profile);
}

bool WakeupLists::contains(const std::string& path) const
{
    return find(path) >= 0;
}

std::string registeredPath(const std::string& listFolder, const std::string& fileName)
{
    return withForwardSlashes(listFolder + "/" + fileName);
}

std::string registeredListPattern(const std::string& listFolder)
{
    return listFolder + "/*.sqx";
}

int findRegisteredList(const std::vector<std::string>& registeredPaths, const std::string& path,
                       const PathKey& key)
{
    std::string wanted = key(path);
    for (std::size_t i = 0; i < registeredPaths.size(); ++i) {
        if (key(registeredPaths[i]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}
