#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tessaly {

// The conversions between the programs' text (the code page every window
// call speaks) and the encodings files are kept in, which the platform does.
// A conversion into a narrower encoding sets `replaced` when a character had
// no equivalent there and became its default character.
struct StoredTextCodec {
    using Narrowing = std::function<std::string(std::string_view text, bool& replaced)>;
    using Widening = std::function<std::string(std::string_view text)>;

    Narrowing fromUtf8;
    Widening toUtf8;
    std::function<std::string(std::u16string_view utf16)> fromUtf16;  // into UTF-8
    // The legacy code page of the system locale, in which the plain list
    // file and the first protected list files keep their text.
    Widening fromLegacy;
    Narrowing toLegacy;
};

// The text of a file that is UTF-8 or, as files of earlier versions and
// other programs are, the legacy code page: UTF-8 when it begins with the
// byte order mark (which is dropped) or is valid UTF-8 and not pure ASCII,
// converted to the programs' text; otherwise from the legacy code page.
std::string textOfFile(std::string_view bytes, const StoredTextCodec& codec);

}  // namespace tessaly
