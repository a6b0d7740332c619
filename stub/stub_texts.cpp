#include "stub/stub_texts.h"

#include <windows.h>

#include "formats/string_block.h"
#include "platform/own_resource.h"
#include "platform/text_codec.h"

namespace tessaly {

std::string stubText(int id)
{
    if (id < 0) return {};
    const int block = id / static_cast<int>(kStringsPerBlock) + 1;
    const auto texts = readStringBlock(ownResource(RT_STRING, MAKEINTRESOURCEA(block)));
    if (!texts) return {};
    const std::u16string& text = (*texts)[static_cast<size_t>(id) % kStringsPerBlock];
    return textFrom(text, TextEncoding::Ansi);
}

}  // namespace tessaly
