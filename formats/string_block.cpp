#include "formats/string_block.h"

#include <algorithm>

namespace tessaly {

namespace {

void putUnit(std::string& block, char16_t unit)
{
    block.push_back(static_cast<char>(unit & 0xFF));
    block.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string stringBlock(const std::vector<std::u16string>& texts)
{
    std::string block;
    for (size_t id = 0; id < kStringsPerBlock; ++id) {
        const std::u16string empty;
        const std::u16string& text = id < texts.size() ? texts[id] : empty;
        const size_t length = std::min(text.size(), kMaxStringUnits);
        putUnit(block, static_cast<char16_t>(length));
        for (size_t i = 0; i < length; ++i) putUnit(block, text[i]);
    }
    return block;
}

std::u16string spotlightString(int radius, bool on)
{
    const long long value = on ? radius : -static_cast<long long>(radius);
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace tessaly
