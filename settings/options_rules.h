#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// Entries 1 to 16 of both colour lists of the Options dialog, as 0xRRGGBB.
constexpr std::array<uint32_t, 16> kPresetColors{0xFFFFFF, 0x000000, 0x808080, 0xC0C0C0, 0xFF0000, 0xFFFF00,
                                                 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFFFF80, 0x00FF80,
                                                 0x80FFFF, 0x8080FF, 0xFF0080, 0xFF8034};
constexpr int kColorEntries = 17;

// The entry a colour list selects on opening: the stored position read like
// atoi, and entry 0 (the user's own colour) for one outside 0 to 16.
int colorEntrySetting(std::string_view stored);

// "Translated by: name", or nothing when the language file names no translator.
std::string translatorLine(const std::string& translatedBy, const std::string& translator);

// The auto-lock times Options offers, in minutes; 0 is never.
constexpr std::array<int, 8> kLockMinutes{0, 1, 2, 5, 10, 15, 30, 60};

// The "lock_minutes" setting: one of kLockMinutes; anything else, a missing
// setting included, gives 5.
int lockMinutesSetting(std::string_view stored);

// Whether a list left alone for `idleMs` milliseconds locks itself.
bool autoLockDue(uint64_t idleMs, int lockMinutes);

}  // namespace tessaly
