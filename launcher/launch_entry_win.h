// Opening a chosen launcher entry through the shell: its default action, its properties, or
// with start parameters asked for first. Every launch runs in the current launcher folder.
#pragma once

#include <windows.h>

#include <string>

enum class LaunchMode { open, properties, askParameters };

// What the hand on the keyboard and mouse asks for as the command is handled: Ctrl (or the
// primary button) the properties, Shift (or the secondary button) parameters first.
LaunchMode launchModeNow();

// The entry's property sheet; a failure is told over the owner.
void showEntryProperties(HWND owner, const std::string& path, const std::string& folder);

// The same for an entry whose real path (UTF-16) the code page cannot hold.
void showEntryProperties(HWND owner, const std::wstring& realPath, const std::string& folder);

// Opens the entry with the parameters; a failure is told in a stop box captioned
// "ShellExecute" over the owner.
void openEntry(HWND owner, const std::string& path, const std::string& folder,
               const std::string& parameters);
void openEntry(HWND owner, const std::wstring& realPath, const std::string& folder,
               const std::string& parameters);

// An entry of the launcher menu, by its real path when it has one (the code page cannot hold
// its name) and else by its path.
void showEntryProperties(HWND owner, const std::string& path, const std::wstring& realPath,
                         const std::string& folder);
void openEntry(HWND owner, const std::string& path, const std::wstring& realPath,
               const std::string& folder, const std::string& parameters);
