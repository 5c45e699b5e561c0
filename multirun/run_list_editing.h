// Editing a run list as the window's buttons and parameter field do it. A selection is a list
// index, -1 for none; each move answers the index selected afterwards.
#pragma once

#include "multirun/run_entry.h"

#include <string>
#include <vector>

using RunList = std::vector<RunEntry>;

// The text the parameter field shows for an entry: what follows the path and its separating
// space.
std::string fieldParameters(const RunEntry& entry);

// The entry rewritten with the field's text: its path, one space, the text. An emptied field
// leaves the path followed by one space; pathLength is kept.
RunEntry withFieldParameters(const RunEntry& entry, const std::string& parameters);

// The selected entry one place higher or lower; the first one up or the last one down stays.
int moveEntryUp(RunList& list, int selected);
int moveEntryDown(RunList& list, int selected);

// Deletes the selected entry; selects the one that took its place, or the new last entry, or
// nothing when the list became empty.
int removeEntry(RunList& list, int selected);
