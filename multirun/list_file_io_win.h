// List files on disk: read in blocks, and written so that an existing file is replaced only by
// a completely written new one.
#pragma once

#include "multirun/list_file.h"

#include <string>

// False when the file cannot be opened; otherwise what the reader made of it.
bool readListFileFrom(const std::string& path, ListFileContent& content);

// Writes the bytes to a temporary file beside the path, then puts it in the path's place.
// False when any step fails; the file at the path is then as it was.
bool writeFileReplacing(const std::string& path, const std::string& bytes);

// The key of a path as the disk names its file: made full, with long names where the file
// exists, then folded as Windows compares names. Two spellings of one file give one key.
std::string diskPathKey(const std::string& path);
