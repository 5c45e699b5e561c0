// What every fuzz target checks its rules with: a broken rule ends the run where the fuzzer
// sees it and keeps the input.
#pragma once

#include <cstdlib>

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}
