// The shell's folder browser, as both programs open it.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>

// The file-system path of a shell item; false for an item that has none, or whose path the
// ANSI code page cannot hold (then its real path goes to unheldPath when given).
bool pathOfItem(const ITEMIDLIST* item, std::string& path,
                std::u16string* unheldPath = nullptr);

// Opens the browser over owner with the title, standing at startFolder (when it names one);
// answers the chosen file-system folder, or false when the user chose none.
bool browseForFolder(HWND owner, const std::string& title, UINT flags,
                     const std::string& startFolder, std::string& chosen,
                     std::u16string* unheldPath = nullptr);
