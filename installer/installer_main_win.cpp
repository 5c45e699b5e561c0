#include <windows.h>

// The setup program; its dialog and steps are built in this folder.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
