#pragma once

#include <string>

// Creates the directory and every missing ancestor, outermost first. Afterwards every separator
// of the path is a backslash. Success when the directory exists at the end.
bool createDirectoryPath(std::string& path);
