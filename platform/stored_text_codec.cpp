#include "platform/stored_text_codec.h"

#include "platform/utf8_text.h"

namespace tessaly {

std::string textOfFile(std::string_view bytes, const StoredTextCodec& codec)
{
    const bool marked = bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
    if (marked) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (isAscii(bytes)) return std::string(bytes);
    if (!marked && !isValidUtf8(bytes)) return codec.fromLegacy(bytes);
    // What the programs' text cannot hold (before Windows 10) becomes "?".
    bool replaced = false;
    return codec.fromUtf8(bytes, replaced);
}

}  // namespace tessaly
