// Whether two paths name the same file, as Windows compares them.
#pragma once

#include <string>

// Both are made full and long (a short 8.3 name as the file dialog or a shortcut gives it) and
// compared without regard to letter case. A path that does not exist is compared as written.
bool samePath(const std::string& a, const std::string& b);
