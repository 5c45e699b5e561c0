#include "settings/profile_layout.h"

#include "common/path_text.h"
#include "framework/profile_store.h"
#include "settings/font_data.h"
#include "settings/profile_names.h"
#include "settings/usable_values.h"

#include <new>

namespace names = profile_names;

namespace {

void readSet(ProfileStore& profile, const std::string& section, const LauncherSettings& defaults,
             const SystemLook& look, LauncherSettings& set)
{
    set.PrintEnt = profile.readInt(section, names::printEntValue, defaults.PrintEnt) != 0;
    set.PrintLnk = profile.readInt(section, names::printLnkValue, defaults.PrintLnk) != 0;
    set.IconPrint = profile.readInt(section, names::iconPrintValue, defaults.IconPrint);
    set.IconSize = profile.readInt(section, names::iconSizeValue, defaults.IconSize);
    set.DesktopRatio = profile.readInt(section, names::desktopRatioValue, defaults.DesktopRatio);
    set.PrintMyself = profile.readInt(section, names::printMyselfValue, defaults.PrintMyself) != 0;
    set.StringsNumber =
        profile.readInt(section, names::stringsNumberValue, defaults.StringsNumber);
    set.HoyKey = static_cast<HotkeyWord>(
        profile.readInt(section, names::hotkeyValue, defaults.HoyKey) & 0xFFFF);
    set.HeightSpace = profile.readInt(section, names::heightSpaceValue, defaults.HeightSpace);
    set.FontRGB = static_cast<std::uint32_t>(
        profile.readInt(section, names::fontRgbValue, static_cast<std::int32_t>(defaults.FontRGB)));
    set.BackgroundColor = static_cast<std::uint32_t>(profile.readInt(
        section, names::backgroundColorValue, static_cast<std::int32_t>(defaults.BackgroundColor)));
    set.FolderMenu = usableSwitch(
        profile.readInt(section, names::folderMenuValue, defaults.FolderMenu ? 1 : 0),
        defaults.FolderMenu);
    // A profile from before sets could follow the system chose its colours only when they
    // differ from the system's: equal ones were the defaults, never changed.
    bool colorsWereSystems =
        set.FontRGB == look.menuTextColor && set.BackgroundColor == look.menuColor;
    set.SystemColors = usableSwitch(
        profile.readInt(section, names::systemColorsValue, colorsWereSystems ? 1 : 0),
        colorsWereSystems);
    set.Font = decodeFontData(profile.readString(section, names::fontDataValue, ""),
                              look.menuFont);
    replaceUnusableValues(set, defaults);
}

void writeSet(ProfileStore& profile, const std::string& section, const LauncherSettings& set)
{
    profile.writeInt(section, names::printEntValue, set.PrintEnt ? 1 : 0);
    profile.writeInt(section, names::printLnkValue, set.PrintLnk ? 1 : 0);
    profile.writeInt(section, names::iconPrintValue, set.IconPrint);
    profile.writeInt(section, names::iconSizeValue, set.IconSize);
    profile.writeInt(section, names::desktopRatioValue, set.DesktopRatio);
    profile.writeInt(section, names::printMyselfValue, set.PrintMyself ? 1 : 0);
    profile.writeInt(section, names::stringsNumberValue, set.StringsNumber);
    profile.writeInt(section, names::hotkeyValue, set.HoyKey);
    profile.writeInt(section, names::heightSpaceValue, set.HeightSpace);
    profile.writeString(section, names::fontDataValue, encodeFontData(set.Font));
    profile.writeInt(section, names::fontRgbValue, static_cast<std::int32_t>(set.FontRGB));
    profile.writeInt(section, names::backgroundColorValue,
                     static_cast<std::int32_t>(set.BackgroundColor));
    profile.writeInt(section, names::folderMenuValue, set.FolderMenu ? 1 : 0);
    profile.writeInt(section, names::systemColorsValue, set.SystemColors ? 1 : 0);
}

}  // namespace

bool loadSettings(ProfileStore& profile, SettingsChain& chain, const SystemLook& look)
{
    LauncherSettings& standard = chain.standard();
    readSet(profile, names::detailSection, standardDefaults(look), look, standard);

    // A damaged count must not make the start-up read millions of sections: the chain never
    // holds more than its limit, so reading stops there.
    std::int32_t count = profile.readInt(names::detailSection, names::numberValue, 0);
    bool complete = true;
    const LauncherSettings defaults = folderDefaults(look);
    for (std::int32_t i = 0; i < count; ++i) {
        if (chain.folderSetCount() >= SettingsChain::maxFolderSets) {
            complete = false;
            break;
        }
        LauncherSettings set;
        std::string section = indexedName(names::folderSpecificPrefix, i);
        readSet(profile, section, defaults, look, set);
        set.Folder = cutWhole(profile.readString(section, names::folderValue, ""), maxPathChars);
        if (!chain.addFolderSettings(set)) {
            complete = false;
            break;
        }
    }
    standard.Folder = standardSetFolderText;
    return complete;
}

void saveSettings(ProfileStore& profile, const SettingsChain& chain)
{
    writeSet(profile, names::detailSection, chain.standard());
    int written = 0;
    chain.forEachFolderSet([&](const LauncherSettings& set) {
        std::string section = indexedName(names::folderSpecificPrefix, written);
        profile.writeString(section, names::folderValue, set.Folder);
        writeSet(profile, section, set);
        ++written;
    });
    profile.writeInt(names::detailSection, names::numberValue, written);
    for (int stale = written;
         profile.deleteSection(indexedName(names::folderSpecificPrefix, stale)); ++stale) {
    }
}
