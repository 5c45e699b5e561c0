// The profile store kept in memory, for the native tests: sections of typed values, with the
// same answers the registry gives (a value of the other type reads as missing).
#pragma once

#include "framework/profile_store.h"

#include <map>
#include <string>
#include <variant>

class MemoryProfile final : public ProfileStore {
public:
    using Value = std::variant<std::int32_t, std::string>;
    using Section = std::map<std::string, Value>;

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

    bool hasSection(const std::string& section) const;
    bool hasValue(const std::string& section, const std::string& name) const;
    std::size_t valueCount(const std::string& section) const;

    // Every write; tests that check what a save touched read this.
    std::size_t writes = 0;

    std::map<std::string, Section> sections;
};
