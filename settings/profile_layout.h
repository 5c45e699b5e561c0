// Loading and saving the standard set and the folder-specific sets.
#pragma once

#include "settings/launcher_settings.h"
#include "settings/settings_chain.h"

class ProfileStore;

// Fills the standard set and appends the stored folder-specific sets (at most as many as the
// chain holds). Answers whether every counted set was read.
bool loadSettings(ProfileStore& profile, SettingsChain& chain, const SystemLook& look);

// Writes the standard set, each folder-specific set, their count, and removes the sections an
// earlier, longer chain left behind.
void saveSettings(ProfileStore& profile, const SettingsChain& chain);
