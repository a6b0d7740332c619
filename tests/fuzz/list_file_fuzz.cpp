// libFuzzer target for the list file reader: whatever the bytes, decoding
// stays inside them, and what it reads encodes back to a prefix of them
// whenever no field held a zero byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tessaly::DecodedList decoded = tessaly::decodeListFile(bytes);
    if (bytes.find('\0') == std::string_view::npos) {
        const std::string again = tessaly::encodeListFile(decoded.entries);
        if (bytes.substr(0, again.size()) != again) std::abort();
        if (!decoded.damaged && again.size() != size) std::abort();
    }
    return 0;
}
