// The profile store on HKEY_CURRENT_USER\Software\<company>\<application>. A section is a key
// below the application key ("A\B" names a sub-key); values are REG_DWORD or REG_SZ.
#pragma once

#include "framework/profile_store.h"

#include <windows.h>

#include <string>

class RegistryProfile final : public ProfileStore {
public:
    RegistryProfile(std::string company, std::string application);

    std::int32_t readInt(const std::string& section, const std::string& name,
                         std::int32_t defaultValue) override;
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override;
    bool writeInt(const std::string& section, const std::string& name,
                  std::int32_t value) override;
    bool writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;
    bool deleteValue(const std::string& section, const std::string& name) override;
    bool deleteSection(const std::string& section) override;

    // Longest text handed back by readString; anything beyond is cut. The program never stores
    // texts near this size, so only a damaged profile meets the limit.
    static constexpr DWORD maxTextBytes = 64 * 1024;
    // A stored value beyond this size is not read at all; it reads as missing.
    static constexpr DWORD maxStoredBytes = 16 * 1024 * 1024;

    const std::string& rootKeyPath() const { return root_; }
    bool exists() const;

private:
    std::string sectionPath(const std::string& section) const;

    std::string root_;
};
