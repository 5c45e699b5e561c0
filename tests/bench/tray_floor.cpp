// The least a tray program does: one hidden window and one icon in the notification area, then
// a message loop until it is asked to close. The start-up and footprint benchmarks measure the
// launcher against it, so what Wine itself costs every program cancels out of the ratios.
//
// Given a file of menu texts (one a line, in the code page) and the rows of a column, it also
// pops a plain menu of those texts up at a left button-down, as a tray menu without pictures or
// owner drawing is shown: the popup benchmark's floor.
//
//   tray_floor [texts.txt rows]
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr UINT iconId = 128;
constexpr UINT callbackMessage = WM_APP + 0x64;
NOTIFYICONDATAA icon{};
HMENU plainMenu = nullptr;

HMENU plainMenuOf(const char* textsFile, int rows)
{
    std::ifstream in(textsFile, std::ios::binary);
    HMENU menu = CreatePopupMenu();
    std::string text;
    for (UINT i = 0; std::getline(in, text); ++i)
        AppendMenuA(menu, MF_STRING | (i > 0 && rows > 0 && i % rows == 0 ? MF_MENUBARBREAK : 0),
                    0xA000 + i, text.c_str());
    return menu;
}

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case callbackMessage:
        if (plainMenu && lParam == WM_LBUTTONDOWN) {
            POINT cursor{};
            GetCursorPos(&cursor);
            SetForegroundWindow(window);
            TrackPopupMenu(plainMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x,
                           cursor.y, 0, window, nullptr);
            PostMessageA(window, WM_NULL, 0, 0);
        }
        return 0;
    case WM_CLOSE:
        Shell_NotifyIconA(NIM_DELETE, &icon);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc > 2)
        plainMenu = plainMenuOf(__argv[1], std::atoi(__argv[2]));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = floorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuintarelTrayFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "Quintarel tray floor",
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = iconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = callbackMessage;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "floor", sizeof(icon.szTip));
    Shell_NotifyIconA(NIM_ADD, &icon);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (plainMenu)
        DestroyMenu(plainMenu);
    return 0;
}
