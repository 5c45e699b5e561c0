// The per-user profile as the portable code sees it: sections holding named integer and text
// values. The programs store it in the registry; the native tests keep it in memory.
#pragma once

#include <cstdint>
#include <string>

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // Yields the stored value, or the default when the value is missing or of another type.
    virtual std::int32_t readInt(const std::string& section, const std::string& name,
                                 std::int32_t defaultValue) = 0;
    virtual std::string readString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) = 0;

    virtual bool writeInt(const std::string& section, const std::string& name,
                          std::int32_t value) = 0;
    virtual bool writeString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;

    // Both report whether something existed and was removed.
    virtual bool deleteValue(const std::string& section, const std::string& name) = 0;
    virtual bool deleteSection(const std::string& section) = 0;
};
