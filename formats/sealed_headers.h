#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// The headers of the two sealed forms: the protected list file and the
// guarded picture of a self-extracting file. Both are sealed with
// AES-256-GCM under a key derived from the password with
// PBKDF2-HMAC-SHA256; integers are little-endian. docs/file-formats.md
// describes both for other tools.

// The protected list file's version 1 kept its text in the legacy code page
// of the PC that wrote it, version 2 keeps UTF-8; the guarded picture has one
// version.
constexpr uint16_t kFirstProtectedListVersion = 1;
constexpr uint16_t kProtectedListVersion = 2;
constexpr uint16_t kGuardedPictureVersion = 1;
constexpr uint16_t kPbkdf2Sha256 = 1;
constexpr uint32_t kSealIterations = 600000;
constexpr uint32_t kMinSealIterations = 100000;
// More would only hold a program that opens a crafted file for many
// seconds; the files this program writes use kSealIterations.
constexpr uint32_t kMaxSealIterations = 2000000;
constexpr size_t kSealTagSize = 16;

struct SealParameters {
    uint32_t iterations = kSealIterations;
    std::array<uint8_t, 16> salt{};
    std::array<uint8_t, 12> nonce{};
};

enum class HeaderStatus { Read, OtherFormat, Damaged };

// The protected list file: magic "TESSLIST", version, key derivation,
// iterations, salt, nonce (44 bytes, the associated data), then the sealed
// bytes of the plain list file's layout and the tag.
constexpr size_t kProtectedListHeaderSize = 44;

std::string protectedListHeader(const SealParameters& parameters, uint16_t version = kProtectedListVersion);

struct ProtectedListParts {
    uint16_t version = kProtectedListVersion;
    SealParameters parameters;
    std::string_view header;  // the associated data
    std::string_view sealed;
    std::string_view tag;
};

// OtherFormat when the bytes do not begin with the magic; Damaged when they
// do but are too short for header and tag, or name a version this program
// does not read (a later one), another key
// derivation or an iteration count out of bounds.
[[nodiscard]] HeaderStatus readProtectedList(std::string_view file, ProtectedListParts& parts);

// A protected list file as read whole: its bytes and what its header says
// of them. The parts point into the bytes, so the record stays where it was
// filled.
struct ProtectedListFile {
    ProtectedListFile() = default;
    ProtectedListFile(const ProtectedListFile&) = delete;
    ProtectedListFile& operator=(const ProtectedListFile&) = delete;

    // Keeps `file` and reads its header.
    void take(std::string file);

    std::string bytes;
    HeaderStatus status = HeaderStatus::OtherFormat;
    ProtectedListParts parts;
};

// The name the program gives protected list files: ".slp", in any case.
bool hasProtectedListExtension(std::string_view path);

// The guarded picture's header, resource 120 of a self-extracting file:
// magic "TESSPICT", version, key derivation, iterations, width, height,
// salt, nonce (52 bytes, the associated data), then the tag.
constexpr size_t kGuardedPictureHeaderSize = 68;
constexpr size_t kGuardedPictureAssociatedSize = 52;

struct GuardedPictureHeader {
    SealParameters parameters;
    uint32_t width = 0;
    uint32_t height = 0;
    std::array<uint8_t, kSealTagSize> tag{};
};

// The associated data: the header's first 52 bytes. The tag is appended to
// it for the whole resource.
std::string guardedPictureAssociated(const GuardedPictureHeader& header);

// Damaged for a resource of another size, magic, version or key
// derivation, or an iteration count out of bounds.
[[nodiscard]] HeaderStatus readGuardedPictureHeader(std::string_view resource, GuardedPictureHeader& header);

}  // namespace tessaly
