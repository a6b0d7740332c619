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

int lockMinutesSetting(std::string_view stored)
{
    for (int minutes : kLockMinutes) {
        if (stored == std::to_string(minutes)) return minutes;
    }
    return 5;
}

bool autoLockDue(uint64_t idleMs, int lockMinutes)
{
    return lockMinutes > 0 && idleMs >= static_cast<uint64_t>(lockMinutes) * 60000;
}

}  // namespace tessaly
