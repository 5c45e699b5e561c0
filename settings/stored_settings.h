// The program's display settings together with the profile they are kept in.
#pragma once

#include "settings/profile_layout.h"
#include "settings/settings_chain.h"

class ProfileStore;

class StoredSettings {
public:
    explicit StoredSettings(ProfileStore& profile) : profile_(profile) {}
    StoredSettings(const StoredSettings&) = delete;
    StoredSettings& operator=(const StoredSettings&) = delete;

    SettingsChain& chain() { return chain_; }

    void load(const SystemLook& look)
    {
        loadSettings(profile_, chain_, look);
        loaded_ = true;
    }
    // Before the profile was read the sets are still zero-filled; writing them would replace
    // the user's settings with nothing (a window that failed to come up ends this way).
    void save() const
    {
        if (loaded_)
            saveSettings(profile_, chain_);
    }

private:
    ProfileStore& profile_;
    SettingsChain chain_;
    bool loaded_ = false;
};
