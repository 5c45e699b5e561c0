// The caption of the multiple-execution window, which names the list file last saved or read.
#pragma once

#include <string>

extern const char multiRunCaptionText[];  // "複数実行"

// The name a list file is shown by: its file name with extension (C:\x\morning.sqx gives
// morning.sqx).
std::string listDisplayName(const std::string& path);

// "複数実行" without a name, else "%s(%s)" of "複数実行" and the name.
std::string multiRunCaption(const std::string& listName);
