// The texts confirmed in the launch-parameter prompt, newest first, for as long as the program
// runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t paramHistorySize = 16;

// Puts the text at the front, dropping the oldest beyond paramHistorySize. Repeated and empty
// texts are kept like any other: the list shows what was confirmed, in order.
void rememberParameter(std::vector<std::string>& history, const std::string& text);
