// Every message box of the program goes through here, so that tests can read what would be
// shown and choose the answer instead of a person.
#pragma once

#include <windows.h>

#include <string>

using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption, UINT flags);

// nullptr restores the system's MessageBoxA.
void setMessageBoxFunction(MessageBoxFunction function);

// Exactly the box asked for: owner, caption and flags as given.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The program's message box: owned by the main window (or its active popup), captioned with the
// display name, and given the exclamation icon when the caller names none.
int appMessageBox(const std::string& text, UINT flags = MB_OK);

// The program's message box for a text the code page cannot hold (UTF-16), through its own
// replaceable function.
using WideMessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption,
                                       UINT flags);
void setWideMessageBoxFunction(WideMessageBoxFunction function);
int appMessageBoxWide(const std::wstring& text, UINT flags = MB_OK);

// The owner the program's message box would use right now.
HWND messageBoxOwner();
