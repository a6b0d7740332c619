#include "formats/system_text_codec.h"

#include "platform/text_codec.h"

namespace tessaly {

CsvTextCodec systemTextCodec()
{
    CsvTextCodec codec;
    codec.fromUtf8 = [](std::string_view utf8, bool& replaced) {
        return convertText(TextEncoding::Utf8, TextEncoding::Ansi, utf8, &replaced);
    };
    codec.toUtf8 = [](std::string_view ansi) { return convertText(TextEncoding::Ansi, TextEncoding::Utf8, ansi); };
    codec.fromUtf16 = [](std::u16string_view utf16) { return textFrom(utf16, TextEncoding::Utf8); };
    return codec;
}

}  // namespace tessaly
