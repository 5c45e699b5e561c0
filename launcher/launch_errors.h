// What a failed shell launch tells the user.
#pragma once

#include <string>

// The shell's launch function answers codes of its own where it fails before or outside the
// system (0, and 26 to 32): those are not system error codes, and the system's text for the same
// number speaks of something else ("The operation completed successfully" for 0). Their text,
// or "" for a code the system's own text describes.
std::string shellLaunchErrorText(unsigned code);

// The shell's code for a file no program is associated with; for the "properties" verb it means
// the entry has no property sheet.
constexpr unsigned shellNoAssociation = 31;
