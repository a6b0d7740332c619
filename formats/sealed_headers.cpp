#include "formats/sealed_headers.h"

#include <utility>

#include "platform/file_paths.h"

#include <algorithm>

namespace tessaly {

namespace {

constexpr std::string_view kListMagic = "TESSLIST";
constexpr std::string_view kPictureMagic = "TESSPICT";

void putNumber(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

template <size_t N>
void putBytes(std::string& out, const std::array<uint8_t, N>& bytes)
{
    out.append(reinterpret_cast<const char*>(bytes.data()), N);
}

// Reads forward through a header whose length was checked before.
struct HeaderReader {
    std::string_view bytes;
    size_t at = 0;

    uint32_t number(int size)
    {
        uint32_t value = 0;
        for (int i = 0; i < size; ++i) value |= uint32_t(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
        at += size;
        return value;
    }
    template <size_t N>
    void take(std::array<uint8_t, N>& into)
    {
        std::copy_n(reinterpret_cast<const uint8_t*>(bytes.data() + at), N, into.begin());
        at += N;
    }
};

void putSealStart(std::string& out, std::string_view magic, uint16_t version, uint32_t iterations)
{
    out.append(magic);
    putNumber(out, version, 2);
    putNumber(out, kPbkdf2Sha256, 2);
    putNumber(out, iterations, 4);
}

// Past the magic: version (from `first` to `last`), key derivation and
// iterations, each checked.
bool readSealStart(HeaderReader& reader, uint16_t first, uint16_t last, uint16_t& version, SealParameters& parameters)
{
    reader.at = 8;
    version = static_cast<uint16_t>(reader.number(2));
    const uint32_t derivation = reader.number(2);
    parameters.iterations = reader.number(4);
    return version >= first && version <= last && derivation == kPbkdf2Sha256 &&
           parameters.iterations >= kMinSealIterations && parameters.iterations <= kMaxSealIterations;
}

}  // namespace

std::string protectedListHeader(const SealParameters& parameters, uint16_t version)
{
    std::string out;
    putSealStart(out, kListMagic, version, parameters.iterations);
    putBytes(out, parameters.salt);
    putBytes(out, parameters.nonce);
    return out;
}

HeaderStatus readProtectedList(std::string_view file, ProtectedListParts& parts)
{
    if (file.substr(0, kListMagic.size()) != kListMagic) return HeaderStatus::OtherFormat;
    if (file.size() < kProtectedListHeaderSize + kSealTagSize) return HeaderStatus::Damaged;
    HeaderReader reader{file};
    if (!readSealStart(reader, kFirstProtectedListVersion, kProtectedListVersion, parts.version, parts.parameters)) {
        return HeaderStatus::Damaged;
    }
    reader.take(parts.parameters.salt);
    reader.take(parts.parameters.nonce);
    parts.header = file.substr(0, kProtectedListHeaderSize);
    parts.sealed = file.substr(kProtectedListHeaderSize, file.size() - kProtectedListHeaderSize - kSealTagSize);
    parts.tag = file.substr(file.size() - kSealTagSize);
    return HeaderStatus::Read;
}

std::string guardedPictureAssociated(const GuardedPictureHeader& header)
{
    std::string out;
    putSealStart(out, kPictureMagic, kGuardedPictureVersion, header.parameters.iterations);
    putNumber(out, header.width, 4);
    putNumber(out, header.height, 4);
    putBytes(out, header.parameters.salt);
    putBytes(out, header.parameters.nonce);
    return out;
}

HeaderStatus readGuardedPictureHeader(std::string_view resource, GuardedPictureHeader& header)
{
    if (resource.size() != kGuardedPictureHeaderSize || resource.substr(0, kPictureMagic.size()) != kPictureMagic) {
        return HeaderStatus::Damaged;
    }
    HeaderReader reader{resource};
    uint16_t version = 0;
    if (!readSealStart(reader, kGuardedPictureVersion, kGuardedPictureVersion, version, header.parameters)) {
        return HeaderStatus::Damaged;
    }
    header.width = reader.number(4);
    header.height = reader.number(4);
    reader.take(header.parameters.salt);
    reader.take(header.parameters.nonce);
    reader.take(header.tag);
    return HeaderStatus::Read;
}

void ProtectedListFile::take(std::string file)
{
    bytes = std::move(file);
    status = readProtectedList(bytes, parts);
}

bool hasProtectedListExtension(std::string_view path)
{
    return hasExtension(path, ".slp");
}

}  // namespace tessaly
