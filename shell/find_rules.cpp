#include "shell/find_rules.h"

#include <algorithm>

namespace tessaly {

namespace {

unsigned char folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    const bool capital = (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
    return capital ? static_cast<unsigned char>(byte + 0x20) : byte;
}

}  // namespace

bool containsIgnoringCase(std::string_view text, std::string_view wanted)
{
    const auto same = [](char a, char b) { return folded(a) == folded(b); };
    return std::search(text.begin(), text.end(), wanted.begin(), wanted.end(), same) != text.end();
}

std::optional<size_t> nextMatchingRow(size_t rows, std::optional<size_t> selected,
                                      const std::function<bool(size_t row)>& matches)
{
    const size_t start = selected ? *selected + 1 : 0;
    for (size_t step = 0; step < rows; ++step) {
        const size_t row = (start + step) % rows;
        if (matches(row)) return row;
    }
    return std::nullopt;
}

}  // namespace tessaly
