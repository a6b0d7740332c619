#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// A text of a string table holds at most this many UTF-16 code units; longer
// ones are cut.
constexpr size_t kMaxStringUnits = 259;
constexpr size_t kStringsPerBlock = 16;

// One block of a string table as the platform stores it: for each of its
// sixteen ids a 16-bit little-endian count of UTF-16 code units followed by
// those units, no terminator. `texts` gives the first ids; the rest are empty.
std::string stringBlock(const std::vector<std::u16string>& texts);

// The sixteen texts of a block in that form, read within its bytes; nothing
// for a damaged block, whose counts run past its end.
std::optional<std::vector<std::u16string>> readStringBlock(std::string_view block);

// String 4 of the self-extracting file: the spotlight radius in decimal,
// negative when the spotlight starts off.
std::u16string spotlightString(int radius, bool on);

}  // namespace tessaly
