#include "settings/profile_names.h"

#include <cstdio>

std::string indexedName(const std::string& prefix, int index)
{
    char digits[16];
    std::snprintf(digits, sizeof(digits), "(%02d)", index);
    return prefix + digits;
}

std::string threeDigitName(int index)
{
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%03d", index);
    return digits;
}
