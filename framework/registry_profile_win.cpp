#include "framework/registry_profile_win.h"

#include "framework/handles_win.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

RegistryProfile::RegistryProfile(std::string company, std::string application)
    : root_("Software\\" + company + "\\" + application)
{
}

std::string RegistryProfile::sectionPath(const std::string& section) const
{
    return root_ + "\\" + section;
}

namespace {

RegistryKey openKey(const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(key);
}

RegistryKey createKey(const std::string& path)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr, &key,
                                  nullptr);
    if (status != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(status));
        return RegistryKey();
    }
    return RegistryKey(key);
}

}  // namespace

bool RegistryProfile::exists() const
{
    return static_cast<bool>(openKey(root_, KEY_READ));
}

std::int32_t RegistryProfile::readInt(const std::string& section, const std::string& name,
                                      std::int32_t defaultValue)
{
    RegistryKey key = openKey(sectionPath(section), KEY_READ);
    if (!key)
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return defaultValue;
    if (type != REG_DWORD || size != sizeof(value))
        return defaultValue;
    return static_cast<std::int32_t>(value);
}

std::string RegistryProfile::readString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue)
{
    RegistryKey key = openKey(sectionPath(section), KEY_READ);
    if (!key)
        return defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    // A partial read leaves the buffer undefined, so the whole value is read, then cut.
    if (size > maxStoredBytes)
        return defaultValue;
    // One byte more than asked for, so data stored without its terminating zero still ends.
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status != ERROR_SUCCESS)
        return defaultValue;
    if (got > size)
        got = size;
    buffer[got] = '\0';
    if (std::strlen(buffer.data()) > maxTextBytes)
        buffer[maxTextBytes] = '\0';
    return std::string(buffer.data());
}

bool RegistryProfile::writeInt(const std::string& section, const std::string& name,
                               std::int32_t value)
{
    RegistryKey key = createKey(sectionPath(section));
    if (!key)
        return false;
    DWORD data = static_cast<DWORD>(value);
    LONG status = RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&data), sizeof(data));
    // Callers report failures with the system's text for the last error.
    SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}

bool RegistryProfile::writeString(const std::string& section, const std::string& name,
                                  const std::string& value)
{
    RegistryKey key = createKey(sectionPath(section));
    if (!key)
        return false;
    LONG status = RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}

bool RegistryProfile::deleteValue(const std::string& section, const std::string& name)
{
    RegistryKey key = openKey(sectionPath(section), KEY_WRITE);
    if (!key)
        return false;
    return RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegistryProfile::deleteSection(const std::string& section)
{
    return SHDeleteKeyA(HKEY_CURRENT_USER, sectionPath(section).c_str()) == ERROR_SUCCESS;
}
