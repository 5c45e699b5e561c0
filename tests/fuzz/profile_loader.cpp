// Loading on a profile filled with anything: every value of the layout may be missing, of the
// other type, any number or any text. The load must stay within a fixed number of reads, keep
// the chain and the lists within their limits, hand on only values the program can use, and
// what it hands on must come back unchanged through a save and a second load.
#include "common/dbcs.h"
#include "multirun/wakeup_lists.h"
#include "settings/folder_list.h"
#include "settings/font_data.h"
#include "settings/profile_layout.h"
#include "settings/profile_names.h"
#include "settings/settings_chain.h"
#include "settings/usable_values.h"
#include "tests/support/memory_profile.h"
#include "tests/fuzz/require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace names = profile_names;

namespace {

// Counts the reads, so a load that would go on and on shows.
class CountingProfile final : public ProfileStore {
public:
    explicit CountingProfile(MemoryProfile& store) : store_(store) {}

    std::int32_t readInt(const std::string& section, const std::string& name,
                         std::int32_t defaultValue) override
    {
        ++reads;
        return store_.readInt(section, name, defaultValue);
    }
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override
    {
        ++reads;
        return store_.readString(section, name, defaultValue);
    }
    bool writeInt(const std::string& section, const std::string& name, std::int32_t value) override
    {
        return store_.writeInt(section, name, value);
    }
    bool writeString(const std::string& section, const std::string& name,
                     const std::string& value) override
    {
        return store_.writeString(section, name, value);
    }
    bool deleteValue(const std::string& section, const std::string& name) override
    {
        return store_.deleteValue(section, name);
    }
    bool deleteSection(const std::string& section) override
    {
        return store_.deleteSection(section);
    }

    std::size_t reads = 0;

private:
    MemoryProfile& store_;
};

const char* const setValues[] = {
    names::printEntValue,     names::printLnkValue,     names::iconPrintValue,
    names::iconSizeValue,     names::desktopRatioValue, names::printMyselfValue,
    names::stringsNumberValue, names::hotkeyValue,      names::heightSpaceValue,
    names::fontDataValue,     names::fontRgbValue,      names::backgroundColorValue,
    names::folderMenuValue,   names::systemColorsValue, names::folderValue,
    names::numberValue,
};

// Numbers near the limits the program cares about are more telling than uniform ones.
std::int32_t someNumber(FuzzedDataProvider& input)
{
    static const std::int32_t telling[] = {0,   1,   2,   3,   -1,   16,   32,   99,  100,
                                           101, 256, 257, 260, 261, 1000, 1001, INT32_MIN,
                                           INT32_MAX};
    if (input.ConsumeBool())
        return input.PickValueInArray(telling);
    return input.ConsumeIntegral<std::int32_t>();
}

std::string someText(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::string(input.ConsumeIntegralInRange<std::size_t>(0, 1000),
                           static_cast<char>(input.ConsumeIntegral<std::uint8_t>()));
    default: {
        // Registry texts end at their first zero byte.
        std::string text = input.ConsumeRandomLengthString(400);
        return text.substr(0, text.find('\0'));
    }
    }
}

std::string someSection(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return names::detailSection;
    case 1:
        return indexedName(names::folderSpecificPrefix, input.ConsumeIntegralInRange(0, 104));
    case 2:
        return names::folderListSection;
    case 3:
        return names::nowFolderSection;
    case 4:
        return names::onWakeupSection;
    default:
        return names::multipleLaunchSection;
    }
}

std::string someValueName(FuzzedDataProvider& input, const std::string& section)
{
    if (section == names::folderListSection && input.ConsumeBool())
        return indexedName("AppFolder", input.ConsumeIntegralInRange(0, 100));
    if (section == names::onWakeupSection && input.ConsumeBool())
        return threeDigitName(input.ConsumeIntegralInRange(0, 1001));
    return input.PickValueInArray(setValues);
}

bool withinLimits(const LauncherSettings& set)
{
    return set.IconPrint >= 0 && set.IconPrint <= 2 && set.IconSize >= 1 &&
           set.IconSize <= 256 && set.DesktopRatio >= 1 && set.DesktopRatio <= 100 &&
           set.StringsNumber >= 1 && set.StringsNumber <= 260 && set.HeightSpace >= 0 &&
           set.HeightSpace <= 32 && (set.FontRGB >> 24) == 0 && (set.BackgroundColor >> 24) == 0 &&
           isUsableFont(set.Font) &&
           std::memchr(set.Font.lfFaceName, '\0', sizeof(set.Font.lfFaceName)) != nullptr;
}

bool sameSet(const LauncherSettings& a, const LauncherSettings& b)
{
    return a.Folder == b.Folder && a.PrintEnt == b.PrintEnt && a.PrintLnk == b.PrintLnk &&
           a.IconSize == b.IconSize && a.IconPrint == b.IconPrint &&
           a.DesktopRatio == b.DesktopRatio && a.PrintMyself == b.PrintMyself &&
           a.StringsNumber == b.StringsNumber && a.HoyKey == b.HoyKey &&
           a.HeightSpace == b.HeightSpace &&
           std::memcmp(&a.Font, &b.Font, sizeof(FontRecord)) == 0 && a.FontRGB == b.FontRGB &&
           a.BackgroundColor == b.BackgroundColor && a.FolderMenu == b.FolderMenu &&
           a.SystemColors == b.SystemColors;
}

std::vector<LauncherSettings> setsOf(const SettingsChain& chain)
{
    std::vector<LauncherSettings> sets{chain.standard()};
    chain.forEachFolderSet([&](const LauncherSettings& set) { sets.push_back(set); });
    return sets;
}

bool endsWhole(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size())
        i += isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
    return i == text.size();
}

SystemLook look()
{
    SystemLook system;
    system.menuTextColor = 0x102030;
    system.menuColor = 0xF0F0F0;
    system.menuFont.lfHeight = -12;
    system.menuFont.lfWeight = 400;
    std::strcpy(system.menuFont.lfFaceName, "Menu");
    return system;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    MemoryProfile stored;
    while (input.remaining_bytes() > 0) {
        std::string section = someSection(input);
        std::string name = someValueName(input, section);
        if (input.ConsumeBool())
            stored.writeInt(section, name, someNumber(input));
        else
            stored.writeString(section, name, someText(input));
    }

    CountingProfile profile(stored);
    SettingsChain chain;
    loadSettings(profile, chain, look());
    // The standard set's 14 values, the count, and at most the chain's limit of sets, each its
    // 14 values and its folder.
    require(profile.reads <= 14 + 1 + SettingsChain::maxFolderSets * 15);
    require(chain.folderSetCount() <= SettingsChain::maxFolderSets);
    std::vector<LauncherSettings> loaded = setsOf(chain);
    for (const LauncherSettings& set : loaded)
        require(withinLimits(set));
    for (std::size_t i = 1; i < loaded.size(); ++i)
        require(loaded[i].Folder.size() <= 259 && endsWhole(loaded[i].Folder));

    // What was loaded is stored in the same form and loads back the same.
    MemoryProfile saved;
    saveSettings(saved, chain);
    SettingsChain again;
    loadSettings(saved, again, look());
    std::vector<LauncherSettings> reloaded = setsOf(again);
    require(reloaded.size() == loaded.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        // A font without a face name is stored as the empty text, which stands for the menu
        // font.
        LauncherSettings expected = loaded[i];
        if (expected.Font.lfFaceName[0] == '\0')
            expected.Font = look().menuFont;
        require(sameSet(reloaded[i], expected));
    }

    profile.reads = 0;
    int folders = readFolderCount(profile);
    require(folders >= 0 && folders <= maxFolders);
    require(readFolderList(profile).size() == static_cast<std::size_t>(folders));
    require(profile.reads <= 2 + static_cast<std::size_t>(maxFolders));

    profile.reads = 0;
    WakeupLists wakeup;
    wakeup.load(profile);
    require(wakeup.paths().size() <= static_cast<std::size_t>(WakeupLists::maxCount));
    require(profile.reads <= 1 + static_cast<std::size_t>(WakeupLists::maxCount));
    for (const std::string& path : wakeup.paths())
        require(!path.empty());
    return 0;
}
