// Which launcher entries share their picture with every entry of their type, so the shell can
// be asked by type alone, without touching the file.
#pragma once

#include <string>

// The extension of an entry name without its dot, in lower case (ASCII letters only: an
// extension of double-byte characters is kept as it is); "" for none.
std::string lowerExtension(const std::string& name);

// What the folder listing tells of an entry besides its name.
struct EntryKind {
    bool folder = false;
    // Windows honours a folder's own icon (its desktop.ini) only on a folder marked read-only
    // or system.
    bool readOnlyOrSystem = false;
};

// Programs, shortcuts, icon and cursor files, and folders that may carry an icon of their own
// each show a picture of their own: those are asked by path. For other types the registry may
// still say so (a DefaultIcon of "%1", an icon handler), which the caller looks up.
bool iconDependsOnFile(const std::string& name, const EntryKind& kind);

// Shortcut files, whose icon the shell draws with the shortcut overlay over their target's
// picture.
bool isShellLinkName(const std::string& name);
