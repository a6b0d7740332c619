#include "formats/string_block.h"

#include <algorithm>
#include <cstdint>

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

std::optional<std::vector<std::u16string>> readStringBlock(std::string_view block)
{
    const auto unitAt = [&](size_t at) {
        return static_cast<char16_t>(static_cast<uint8_t>(block[at]) | static_cast<uint8_t>(block[at + 1]) << 8);
    };
    std::vector<std::u16string> texts(kStringsPerBlock);
    size_t at = 0;
    for (auto& text : texts) {
        if (block.size() - at < 2) return std::nullopt;
        const size_t count = unitAt(at);
        at += 2;
        if ((block.size() - at) / 2 < count) return std::nullopt;
        for (size_t i = 0; i < count; ++i, at += 2) text.push_back(unitAt(at));
    }
    return texts;
}

std::u16string spotlightString(int radius, bool on)
{
    const long long value = on ? radius : -static_cast<long long>(radius);
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace tessaly
