#include "settings/options_rules.h"

#include <cstdlib>

namespace tessaly {

int colorEntrySetting(std::string_view stored)
{
    const std::string digits(stored);
    const long long entry = std::strtoll(digits.c_str(), nullptr, 10);
    return entry >= 0 && entry < kColorEntries ? static_cast<int>(entry) : 0;
}

std::string translatorLine(const std::string& translatedBy, const std::string& translator)
{
    return translator.empty() ? std::string() : translatedBy + ": " + translator;
}

}  // namespace tessaly
