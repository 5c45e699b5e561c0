#include "framework/application_win.h"

#include "common/path_text.h"
#include "framework/registry_profile_win.h"

#include <memory>

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
    if (!programProfile)
        setProfileRoot("Brisvane", moduleBaseName());
    return *programProfile;
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
    return splitPath(modulePath()).name;
}

}  // namespace app
