// libFuzzer target for the self-extractor's string block: the bytes, cut
// into texts at zero units, make a block whose counts and units read back
// as those texts cut at 259 units, and whose size follows from them; and
// the bytes taken as a block are read within their bounds, whole or not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/string_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::u16string> texts(1);
    for (size_t i = 0; i + 1 < size && texts.size() <= tessaly::kStringsPerBlock; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) {
            texts.emplace_back();
        } else {
            texts.back().push_back(unit);
        }
    }
    const std::string block = tessaly::stringBlock(texts);
    size_t at = 0, units = 0;
    for (size_t id = 0; id < tessaly::kStringsPerBlock; ++id) {
        if (at + 2 > block.size()) std::abort();
        const size_t count = static_cast<uint8_t>(block[at]) | static_cast<uint8_t>(block[at + 1]) << 8;
        at += 2;
        const std::u16string expected = id < texts.size() ? texts[id].substr(0, tessaly::kMaxStringUnits)
                                                          : std::u16string();
        if (count != expected.size() || at + 2 * count > block.size()) std::abort();
        for (size_t i = 0; i < count; ++i, at += 2) {
            const auto unit = static_cast<char16_t>(static_cast<uint8_t>(block[at]) |
                                                    static_cast<uint8_t>(block[at + 1]) << 8);
            if (unit != expected[i]) std::abort();
        }
        units += count;
    }
    if (at != block.size() || block.size() != 32 + 2 * units) std::abort();
    const auto read = tessaly::readStringBlock(block);
    if (!read || read->size() != tessaly::kStringsPerBlock) std::abort();
    for (size_t id = 0; id < texts.size() && id < tessaly::kStringsPerBlock; ++id) {
        if ((*read)[id] != texts[id].substr(0, tessaly::kMaxStringUnits)) std::abort();
    }
    tessaly::readStringBlock(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
