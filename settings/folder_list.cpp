#include "settings/folder_list.h"

#include "common/path_text.h"
#include "framework/profile_store.h"
#include "settings/profile_names.h"

namespace names = profile_names;

const char folderListFullMessage[] = "これ以上追加できません";

namespace {

const char folderValuePrefix[] = "AppFolder";

std::string folderValueName(int index)
{
    return indexedName(folderValuePrefix, index);
}

}  // namespace

int readFolderCount(ProfileStore& profile)
{
    std::int32_t count = profile.readInt(names::folderListSection, names::numberValue, 0);
    if (count < 0)
        return 0;
    return count > maxFolders ? maxFolders : static_cast<int>(count);
}

std::vector<std::string> readFolderList(ProfileStore& profile)
{
    int count = readFolderCount(profile);
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        paths.push_back(profile.readString(names::folderListSection, folderValueName(i), ""));
    return paths;
}

bool appendFolder(ProfileStore& profile, const std::string& path)
{
    int count = readFolderCount(profile);
    if (count >= maxFolders)
        return false;
    profile.writeInt(names::folderListSection, names::numberValue, count + 1);
    profile.writeString(names::folderListSection, folderValueName(count), path);
    return true;
}

bool removeFolder(ProfileStore& profile, std::vector<std::string>& paths, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= paths.size())
        return false;
    int before = static_cast<int>(paths.size());
    profile.writeInt(names::folderListSection, names::numberValue, before - 1);
    paths.erase(paths.begin() + index);
    for (int i = 0; i < before - 1; ++i)
        profile.writeString(names::folderListSection, folderValueName(i),
                            paths[static_cast<std::size_t>(i)]);
    profile.deleteValue(names::folderListSection, folderValueName(before - 1));
    return true;
}

void DropReport::addNotFolder(const std::string& path)
{
    lines_ += path;
    lines_ += '\n';
}

void DropReport::addTooLong(const std::string& path)
{
    // Cut so that no double-byte character is split in half in front of the mark.
    lines_ += cutWhole(path, tooLongLength - 1);
    lines_ += "(長すぎ)\n";
}

std::string DropReport::text() const
{
    if (lines_.empty())
        return {};
    return lines_ + "\n以上のファイルは追加されませんでした。\n追加できるのはディレクトリのみです。";
}

bool FolderList::listedElsewhere(const std::string& path, int index) const
{
    for (std::size_t i = 0; i < folderPaths.size(); ++i) {
        if (static_cast<int>(i) != index && folderPaths[i] == path)
            return true;
    }
    return false;
}

void FolderList::reload()
{
    folderPaths = readFolderList(profile_);
    for (FolderListListener* listener : listeners_)
        listener->folderListReloaded();
}

bool FolderList::add(const std::string& path)
{
    if (path.empty())
        return true;
    if (!appendFolder(profile_, path))
        return false;
    folderPaths.push_back(path);
    for (FolderListListener* listener : listeners_)
        listener->folderAppended(path);
    return true;
}

bool FolderList::remove(int index)
{
    int before = static_cast<int>(folderPaths.size());
    if (!removeFolder(profile_, folderPaths, index))
        return false;
    for (FolderListListener* listener : listeners_)
        listener->folderRemoved(index, before);
    return true;
}

std::string folderListLine(const std::string& path, bool hasOwnSettings)
{
    return hasOwnSettings ? "[*] " + path : path;
}
