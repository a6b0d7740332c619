// Runs without the programs' manifest: the programs' text is the legacy code
// page, as on Windows before 1903.
#include "formats/protected_list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cipher/system_crypto.h"
#include "platform/text_codec.h"

namespace tessaly {
namespace {

// A protected list file of `version` holding `entries` as they are, sealed
// under `password`.
std::string sealedFile(const std::vector<PasswordEntry>& entries, uint16_t version, const char* password)
{
    SealParameters parameters;
    SealKey key;
    if (!newListSeal(parameters)) return {};
    // The fewest iterations a file may name: the test derives quickly.
    parameters.iterations = kMinSealIterations;
    if (!deriveListKey(password, parameters, key) ||
        !systemRandomBytes(parameters.nonce.data(), parameters.nonce.size())) {
        return {};
    }
    const std::string header = protectedListHeader(parameters, version);
    std::string body = encodeListFile(entries);
    std::string tag(kSealTagSize, '\0');
    if (gcmEncrypt(GcmInput{key.bytes, parameters.nonce.data(), header}, reinterpret_cast<uint8_t*>(&body[0]),
                   body.size(), reinterpret_cast<uint8_t*>(&tag[0])) != GcmResult::Done) {
        return {};
    }
    return header + body + tag;
}

TEST(ProtectedListText, EachVersionReadsItsOwnTextAndWhatTheCodePageLacksIsTold)
{
    if (legacyCodePage() != 1252 || activeCodePage() != 1252) GTEST_SKIP() << "written for a Western system locale";
    // Version 2 keeps UTF-8: "olga", "Жук-7", "café".
    const std::string utf8 = sealedFile({{"olga", "\xD0\x96\xD1\x83\xD0\xBA-7", "caf\xC3\xA9"}}, 2, "passphrase");
    ProtectedListParts parts;
    ASSERT_EQ(readProtectedList(utf8, parts), HeaderStatus::Read);
    DecodedList list;
    ASSERT_EQ(openProtectedList(parts, "passphrase", list), ProtectedListResult::Done);
    EXPECT_EQ(list.entries, (std::vector<PasswordEntry>{{"olga", "\x3F\x3F\x3F-7", "caf\xE9"}}));
    EXPECT_EQ(list.replaced.count, 1u);
    ASSERT_EQ(list.replaced.first.size(), 1u);
    EXPECT_TRUE(list.replaced.first[0].pass) << "a password that would not work as it is";

    // Version 1 kept the code page's bytes, read as they are here.
    const std::string legacy = sealedFile({{"Jos\xE9", "\xF1", "\x80"}}, 1, "passphrase");
    ASSERT_EQ(readProtectedList(legacy, parts), HeaderStatus::Read);
    DecodedList earlier;
    ASSERT_EQ(openProtectedList(parts, "passphrase", earlier), ProtectedListResult::Done);
    EXPECT_EQ(earlier.entries, (std::vector<PasswordEntry>{{"Jos\xE9", "\xF1", "\x80"}}));
    EXPECT_EQ(earlier.replaced.count, 0u);

    // What this program seals is version 2, its text UTF-8.
    std::string sealed;
    SealParameters parameters;
    SealKey key;
    ASSERT_TRUE(newListSeal(parameters));
    parameters.iterations = kMinSealIterations;
    ASSERT_TRUE(deriveListKey("passphrase", parameters, key));
    ASSERT_EQ(sealListFile({{"Jos\xE9", "pw", ""}}, key, parameters, sealed), ProtectedListResult::Done);
    ASSERT_EQ(readProtectedList(sealed, parts), HeaderStatus::Read);
    EXPECT_EQ(parts.version, kProtectedListVersion);
    DecodedList again;
    ASSERT_EQ(openProtectedList(parts, key, again), ProtectedListResult::Done);
    EXPECT_EQ(again.entries, (std::vector<PasswordEntry>{{"Jos\xE9", "pw", ""}}));
}

}  // namespace
}  // namespace tessaly
