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
    return codec;
}

}  // namespace tessaly
