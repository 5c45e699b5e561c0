#include "framework/application_win.h"

#include "framework/registry_profile_win.h"

#include <shlwapi.h>

#include <exception>
#include <memory>
#include <vector>

namespace {

HINSTANCE moduleInstance = nullptr;
HWND mainWindowHandle = nullptr;
std::string programDisplayName = "Quintarel";
std::unique_ptr<RegistryProfile> programProfile;

}  // namespace

namespace app {

HINSTANCE instance()
{
    return moduleInstance ? moduleInstance : GetModuleHandleA(nullptr);
}

void setInstance(HINSTANCE instance)
{
    moduleInstance = instance;
}

HWND mainWindow()
{
    return mainWindowHandle;
}

void setMainWindow(HWND window)
{
    mainWindowHandle = window;
}

const std::string& displayName()
{
    return programDisplayName;
}

void setDisplayName(const std::string& name)
{
    programDisplayName = name;
}

void setProfileRoot(const std::string& company, const std::string& application)
{
    programProfile = std::make_unique<RegistryProfile>(company, application);
}

ProfileStore& profile()
{
    // The program names its profile before anything reads a setting; a read before that would
    // go to a key of nobody's.
    if (!programProfile)
        std::terminate();
    return *programProfile;
}

bool profileExists()
{
    return programProfile && programProfile->exists();
}

std::string loadString(UINT id)
{
    char buffer[1024];
    int length = LoadStringA(instance(), id, buffer, sizeof(buffer));
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(length));
}

std::string modulePath()
{
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(instance(), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        buffer[length >= MAX_PATH ? MAX_PATH - 1 : 0] = '\0';
    return buffer;
}

std::string moduleBaseName()
{
    // The shell's path functions know double-byte names, where a trail byte may look like a
    // backslash.
    std::string path = modulePath();
    std::string name = PathFindFileNameA(path.c_str());
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    PathRemoveExtensionA(buffer.data());
    return buffer.data();
}

}  // namespace app
