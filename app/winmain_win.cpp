#include "app/launcher_app_win.h"
#include "framework/application_win.h"
#include "framework/system_library_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    restrictDllSearchToSystemFolder();
    app::setInstance(instance);
    LauncherApp launcher;
    return launcher.run();
}
