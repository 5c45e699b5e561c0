// What one start of a run hands the shell: the file and the parameter text.
#pragma once

#include "multirun/run_entry.h"

#include <cstddef>
#include <string>

// The parameter buffer of a start holds 259 characters and its terminating zero.
constexpr std::size_t runParameterLimit = 259;

// Whether the last four characters of the path, lower-cased, are ".lnk".
bool isShortcutPath(const std::string& path);

// The shortcut's own arguments (empty for any other file) followed by the entry's parameter
// part, which begins with its separating space: a shortcut with -a and the entry parameters -b
// give "-a -b". Cut to runParameterLimit, never inside a double-byte character.
std::string runParameters(const std::string& shortcutArguments, const RunEntry& entry);
