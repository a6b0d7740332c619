#include "stub/stub_texts.h"

#include <windows.h>

#include "formats/string_block.h"
#include "platform/own_resource.h"

namespace tessaly {

std::string stubText(int id)
{
    if (id < 0) return {};
    const int block = id / static_cast<int>(kStringsPerBlock) + 1;
    const auto texts = readStringBlock(ownResource(RT_STRING, MAKEINTRESOURCEA(block)));
    if (!texts) return {};
    const std::u16string& text = (*texts)[static_cast<size_t>(id) % kStringsPerBlock];
    if (text.empty()) return {};
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int units16 = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, units, units16, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, units, units16, &converted[0], bytes, nullptr, nullptr);
    return converted;
}

}  // namespace tessaly
