#include "tests/support/memory_profile.h"

std::int32_t MemoryProfile::readInt(const std::string& section, const std::string& name,
                                    std::int32_t defaultValue)
{
    auto s = sections.find(section);
    if (s == sections.end())
        return defaultValue;
    auto v = s->second.find(name);
    if (v == s->second.end() || !std::holds_alternative<std::int32_t>(v->second))
        return defaultValue;
    return std::get<std::int32_t>(v->second);
}

std::string MemoryProfile::readString(const std::string& section, const std::string& name,
                                      const std::string& defaultValue)
{
    auto s = sections.find(section);
    if (s == sections.end())
        return defaultValue;
    auto v = s->second.find(name);
    if (v == s->second.end() || !std::holds_alternative<std::string>(v->second))
        return defaultValue;
    return std::get<std::string>(v->second);
}

bool MemoryProfile::writeInt(const std::string& section, const std::string& name,
                             std::int32_t value)
{
    ++writes;
    sections[section][name] = value;
    return true;
}

bool MemoryProfile::writeString(const std::string& section, const std::string& name,
                                const std::string& value)
{
    ++writes;
    sections[section][name] = value;
    return true;
}

bool MemoryProfile::deleteValue(const std::string& section, const std::string& name)
{
    auto s = sections.find(section);
    return s != sections.end() && s->second.erase(name) > 0;
}

bool MemoryProfile::deleteSection(const std::string& section)
{
    return sections.erase(section) > 0;
}

bool MemoryProfile::hasSection(const std::string& section) const
{
    return sections.count(section) > 0;
}

bool MemoryProfile::hasValue(const std::string& section, const std::string& name) const
{
    auto s = sections.find(section);
    return s != sections.end() && s->second.count(name) > 0;
}

std::size_t MemoryProfile::valueCount(const std::string& section) const
{
    auto s = sections.find(section);
    return s == sections.end() ? 0 : s->second.size();
}
