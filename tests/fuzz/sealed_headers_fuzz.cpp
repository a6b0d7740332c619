// libFuzzer target for the sealed forms' headers: any bytes are read within
// their bounds, and whatever reads as a header is written back to the same
// bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/sealed_headers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tessaly::ProtectedListParts parts;
    if (tessaly::readProtectedList(bytes, parts) == tessaly::HeaderStatus::Read) {
        if (tessaly::protectedListHeader(parts.parameters, parts.version) != parts.header) std::abort();
        if (parts.header.size() + parts.sealed.size() + parts.tag.size() != size) std::abort();
    }
    tessaly::GuardedPictureHeader header;
    if (tessaly::readGuardedPictureHeader(bytes, header) == tessaly::HeaderStatus::Read) {
        const std::string written = tessaly::guardedPictureAssociated(header) +
                                    std::string(header.tag.begin(), header.tag.end());
        if (written != bytes) std::abort();
    }
    return 0;
}
