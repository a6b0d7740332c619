#include "formats/protected_list_file.h"

#include "platform/text_codec.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

uint8_t* bytesOf(std::string& text)
{
    return reinterpret_cast<uint8_t*>(text.data());
}

}  // namespace

bool newListSeal(SealParameters& parameters)
{
    parameters.iterations = kSealIterations;
    return systemRandomBytes(parameters.salt.data(), parameters.salt.size());
}

bool deriveListKey(std::string_view password, const SealParameters& parameters, SealKey& key)
{
    return deriveSealKey(password, parameters.iterations, parameters.salt.data(), key);
}

ProtectedListResult sealListFile(const std::vector<PasswordEntry>& entries, const SealKey& key,
                                 const SealParameters& parameters, std::string& file)
{
    SealParameters sealed = parameters;
    if (!systemRandomBytes(sealed.nonce.data(), sealed.nonce.size())) return ProtectedListResult::Unavailable;
    const std::string header = protectedListHeader(sealed);
    std::vector<PasswordEntry> utf8;
    std::string body = encodeListFile(entriesThrough(entries, systemTextCodec().toUtf8, utf8));
    std::string tag(kSealTagSize, '\0');
    const GcmResult result = gcmEncrypt(GcmInput{key.bytes, sealed.nonce.data(), header}, bytesOf(body), body.size(),
                                        bytesOf(tag));
    if (result != GcmResult::Done) {
        wipeString(body);
        return ProtectedListResult::Unavailable;
    }
    file = header + body + tag;
    return ProtectedListResult::Done;
}

ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                      const SealKey& key, const SealParameters& parameters,
                                      const std::string& previousVersion, const std::atomic<bool>* cancelled)
{
    std::string file;
    const ProtectedListResult sealed = sealListFile(entries, key, parameters, file);
    if (sealed != ProtectedListResult::Done) return sealed;
    if (cancelled && cancelled->load()) return ProtectedListResult::Cancelled;
    return writeFileReplacing(path, {file}, previousVersion) ? ProtectedListResult::Done
                                                             : ProtectedListResult::CannotWrite;
}

ProtectedListResult saveProtectedList(const std::string& path, const std::vector<PasswordEntry>& entries,
                                      std::string_view password, const std::atomic<bool>* cancelled)
{
    SealParameters parameters;
    SealKey key;
    if (!newListSeal(parameters) || !deriveListKey(password, parameters, key)) {
        return ProtectedListResult::Unavailable;
    }
    return saveProtectedList(path, entries, key, parameters, {}, cancelled);
}

ProtectedListResult openProtectedList(const ProtectedListParts& parts, const SealKey& key, DecodedList& list)
{
    std::string plain(parts.sealed);
    const GcmResult opened = gcmDecrypt(GcmInput{key.bytes, parts.parameters.nonce.data(), parts.header},
                                        bytesOf(plain), plain.size(),
                                        reinterpret_cast<const uint8_t*>(parts.tag.data()));
    if (opened == GcmResult::Done) {
        list = decodeListFile(plain);
        const StoredTextCodec codec = systemTextCodec();
        if (parts.version == kFirstProtectedListVersion) {
            convertEntries(list.entries, codec.fromLegacy);
        } else {
            convertEntries(list.entries, codec.fromUtf8, list.replaced);
        }
    }
    wipeString(plain);
    if (opened == GcmResult::TagMismatch) return ProtectedListResult::WrongPassword;
    return opened == GcmResult::Done ? ProtectedListResult::Done : ProtectedListResult::Unavailable;
}

ProtectedListResult openProtectedList(const ProtectedListParts& parts, std::string_view password, DecodedList& list)
{
    SealKey key;
    if (!deriveListKey(password, parts.parameters, key)) return ProtectedListResult::Unavailable;
    return openProtectedList(parts, key, list);
}

}  // namespace tessaly
