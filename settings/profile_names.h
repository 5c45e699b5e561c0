// Sections and value names of the per-user profile. They are a stored format: users' profiles
// hold exactly these names, odd spellings included.
#pragma once

#include <string>

namespace profile_names {

constexpr char nowFolderSection[] = "NowFolder";
constexpr char appFolderValue[] = "AppFolder";
constexpr char targetFolderValue[] = "TargetFolder";
constexpr char hotkeyValue[] = "HoyKey";

constexpr char folderListSection[] = "FolderList";
constexpr char numberValue[] = "Number";

constexpr char detailSection[] = "Detail";
constexpr char folderSpecificPrefix[] = "Detail\\FolderSpecificDetail";
constexpr char folderValue[] = "Folder";
constexpr char printEntValue[] = "PrintEnt";
constexpr char printLnkValue[] = "PrintLnk";
constexpr char iconPrintValue[] = "IconPrint";
constexpr char iconSizeValue[] = "IconSize";
constexpr char desktopRatioValue[] = "DesktopRatio";
constexpr char printMyselfValue[] = "PrintMyself";
constexpr char stringsNumberValue[] = "StringsNumber";
constexpr char heightSpaceValue[] = "HeightSpace";
constexpr char fontDataValue[] = "FontData";
constexpr char fontRgbValue[] = "FontRGB";
constexpr char backgroundColorValue[] = "BackgroundColor";
constexpr char folderMenuValue[] = "FolderMenu";
constexpr char systemColorsValue[] = "SystemColors";

constexpr char multipleLaunchSection[] = "MultipleLaunch";
constexpr char stillMultiRunValue[] = "StillMultiRun";
constexpr char stillMultiRunListValue[] = "StillMultiRunList";
constexpr char showOptionValue[] = "ShowOption";
constexpr char runOnWaitValue[] = "RunOnWait";
constexpr char onWakeupSection[] = "MultipleLaunch\\OnWakeup";

constexpr char defaultTargetFolderText[] = ":☆フォルダ☆";

}  // namespace profile_names

// "%s(%02d)": the name of list entry or section index under a prefix, as in AppFolder(03).
std::string indexedName(const std::string& prefix, int index);

// "%03d": the names of the start-up list entries.
std::string threeDigitName(int index);
