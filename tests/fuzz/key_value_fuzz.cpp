// libFuzzer target for the key=value grammar of conf.dat and the language
// files: whatever the bytes, every entry stays within the field limit, no
// value holds a line break (a key may: a line without "=" runs on into the
// next one), and the table written back reads as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/key_value_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (auto comments : {tessaly::CommentLines::Ordinary, tessaly::CommentLines::Skipped}) {
        tessaly::KeyValueTable table;
        tessaly::parseKeyValueText(bytes, comments, table);
        for (const auto& entry : table.entries()) {
            if (entry.key.size() > tessaly::kMaxFieldBytes || entry.value.size() > tessaly::kMaxFieldBytes) {
                std::abort();
            }
            if (entry.value.find('\n') != std::string::npos) std::abort();
        }
        tessaly::KeyValueTable again;
        tessaly::parseKeyValueText(table.serialize(), comments, again);
        if (again.entries().size() != table.entries().size()) std::abort();
        for (const auto& entry : table.entries()) {
            if (again.get(entry.key) != table.get(entry.key)) std::abort();
        }
    }
    return 0;
}
