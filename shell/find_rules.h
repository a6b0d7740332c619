#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace tessaly {

// Whether `text` holds `wanted`, letters compared without regard to case:
// the capitals of Latin, Greek and Cyrillic match their small letters. Text
// is UTF-8, or a Western code page's bytes where it is not valid UTF-8 (a
// list of an earlier version's). An empty `wanted` is held by every text.
bool containsIgnoringCase(std::string_view text, std::string_view wanted);

// The row Find shows next: the first after `selected` (from the top when
// nothing is selected) for which `matches` holds, going on from the top
// after the last row, `selected` itself last; nothing when no row matches.
std::optional<size_t> nextMatchingRow(size_t rows, std::optional<size_t> selected,
                                      const std::function<bool(size_t row)>& matches);

}  // namespace tessaly
