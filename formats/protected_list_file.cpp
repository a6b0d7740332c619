#include "formats/protected_list_file.h"

#include "cipher/password_seal.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

uint8_t* bytesOf(std::string& text)
{
    return reinterpret_cast<uint8_t*>(text.data());
}

}  // namespace

ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                      std::string_view password, const std::atomic<bool>* cancelled)
{
    SealParameters parameters;
    if (!systemRandomBytes(parameters.salt.data(), parameters.salt.size()) ||
        !systemRandomBytes(parameters.nonce.data(), parameters.nonce.size())) {
        return ProtectedListResult::Unavailable;
    }
    const std::string header = protectedListHeader(parameters);
    std::string body = encodeListFile(entries);
    std::string tag(kSealTagSize, '\0');
    const GcmResult sealed = sealWithPassword({password, parameters.iterations, parameters.salt.data(),
                                               parameters.nonce.data(), header},
                                              bytesOf(body), body.size(), bytesOf(tag));
    if (sealed != GcmResult::Done) {
        wipeString(body);
        return ProtectedListResult::Unavailable;
    }
    if (cancelled && cancelled->load()) return ProtectedListResult::Cancelled;
    return writeFileReplacing(path, {header, body, tag}) ? ProtectedListResult::Done : ProtectedListResult::CannotWrite;
}

ProtectedListResult openProtectedList(const ProtectedListParts& parts, std::string_view password, DecodedList& list)
{
    std::string plain(parts.sealed);
    const GcmResult opened = openWithPassword({password, parts.parameters.iterations, parts.parameters.salt.data(),
                                               parts.parameters.nonce.data(), parts.header},
                                              bytesOf(plain), plain.size(),
                                              reinterpret_cast<const uint8_t*>(parts.tag.data()));
    if (opened == GcmResult::Done) list = decodeListFile(plain);
    wipeString(plain);
    if (opened == GcmResult::TagMismatch) return ProtectedListResult::WrongPassword;
    return opened == GcmResult::Done ? ProtectedListResult::Done : ProtectedListResult::Unavailable;
}

}  // namespace tessaly
