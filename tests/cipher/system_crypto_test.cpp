#include "cipher/system_crypto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cipher/password_seal.h"

namespace tessaly {
namespace {

std::vector<uint8_t> fromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// RFC 7914, section 11.
TEST(SystemCrypto, Pbkdf2Sha256GivesThePublishedKeys)
{
    struct Vector {
        std::string password, salt;
        uint64_t iterations;
        std::string key;
    };
    const Vector vectors[] = {
        {"passwd", "salt", 1,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc49ca9cccf179b645991664b39d77ef317c71b845b1e30"
         "bd5"
         "09112041d3a19783"},
        {"Password", "NaCl", 80000,
         "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a1225833549adb841b51c9b3176a272bdebba1d"
         "078"
         "478f62b397f33c8d"},
    };
    for (const auto& vector : vectors) {
        std::vector<uint8_t> key(64);
        ASSERT_TRUE(derivePbkdf2Sha256(vector.password, reinterpret_cast<const uint8_t*>(vector.salt.data()),
                                       vector.salt.size(), vector.iterations, key.data(), key.size()));
        EXPECT_EQ(key, fromHex(vector.key)) << vector.password;
    }
}

// The published AES-GCM test cases with 256-bit keys and 96-bit nonces (cases 13 to 16).
struct GcmVector {
    std::string key, nonce, associated, plain, sealed, tag;
};

const GcmVector kGcmVectors[] = {
    {std::string(64, '0'), std::string(24, '0'), "", "", "", "530f8afbc74536b9a963b4f1c4cb738b"},
    {std::string(64, '0'), std::string(24, '0'), "", std::string(32, '0'), "cea7403d4d606b6e074ec5d3baf39d18",
     "d0d1c8a799996bf0265b98b5d48ab919"},
    {"feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308", "cafebabefacedbaddecaf888", "",
     "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657"
     "ba637b391aafd255",
     "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0a"
     "bcc9f662898015ad",
     "b094dac5d93471bdec1a502270e3cc6c"},
    {"feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308", "cafebabefacedbaddecaf888",
     "feedfacedeadbeeffeedfacedeadbeefabaddad2",
     "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657"
     "ba637b39",
     "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0a"
     "bcc9f662",
     "76fc6ece0f4e1768cddf8853bb2d551b"},
};

TEST(SystemCrypto, AesGcmSealsAndOpensThePublishedCases)
{
    for (const auto& vector : kGcmVectors) {
        const auto key = fromHex(vector.key), nonce = fromHex(vector.nonce),
                   associatedBytes = fromHex(vector.associated);
        const std::string associated(associatedBytes.begin(), associatedBytes.end());
        const GcmInput input{key.data(), nonce.data(), associated};
        auto data = fromHex(vector.plain);
        std::vector<uint8_t> tag(kGcmTagSize);
        ASSERT_EQ(gcmEncrypt(input, data.data(), data.size(), tag.data()), GcmResult::Done);
        EXPECT_EQ(data, fromHex(vector.sealed)) << vector.tag;
        EXPECT_EQ(tag, fromHex(vector.tag));

        ASSERT_EQ(gcmDecrypt(input, data.data(), data.size(), tag.data()), GcmResult::Done);
        EXPECT_EQ(data, fromHex(vector.plain));
    }
}

TEST(SystemCrypto, AnyChangedByteFailsTheCheckAndLeavesNoPlainBytes)
{
    const GcmVector& vector = kGcmVectors[3];
    const auto key = fromHex(vector.key), nonce = fromHex(vector.nonce), sealed = fromHex(vector.sealed),
               tag = fromHex(vector.tag);
    auto associated = fromHex(vector.associated);
    const auto open = [&](std::vector<uint8_t> data, const std::vector<uint8_t>& withTag,
                          const std::vector<uint8_t>& withAssociated) {
        const std::string text(withAssociated.begin(), withAssociated.end());
        const GcmResult result = gcmDecrypt({key.data(), nonce.data(), text}, data.data(), data.size(), withTag.data());
        if (result != GcmResult::Done) {
            EXPECT_EQ(data, std::vector<uint8_t>(data.size(), 0));
        }
        return result;
    };
    ASSERT_EQ(open(sealed, tag, associated), GcmResult::Done);
    auto changed = sealed;
    changed[30] ^= 1;
    EXPECT_EQ(open(changed, tag, associated), GcmResult::TagMismatch);
    auto changedTag = tag;
    changedTag[15] ^= 0x80;
    EXPECT_EQ(open(sealed, changedTag, associated), GcmResult::TagMismatch);
    associated[0] ^= 1;
    EXPECT_EQ(open(sealed, tag, associated), GcmResult::TagMismatch);
}

TEST(SystemCrypto, APasswordSealOpensOnlyWithTheSamePasswordAndParameters)
{
    uint8_t salt[kSealSaltSize], nonce[kGcmNonceSize], tag[kGcmTagSize];
    ASSERT_TRUE(systemRandomBytes(salt, sizeof salt));
    ASSERT_TRUE(systemRandomBytes(nonce, sizeof nonce));
    const std::string plain = "user\0pass\xF1word", header = "header";
    std::string data = plain;
    const std::string password = "contrase\xF1"
                                 "a";
    PasswordSeal seal{password, 1000, salt, nonce, header};
    auto* bytes = reinterpret_cast<uint8_t*>(data.data());
    ASSERT_EQ(sealWithPassword(seal, bytes, data.size(), tag), GcmResult::Done);
    EXPECT_NE(data, plain);

    std::string copy = data;
    PasswordSeal wrong = seal;
    wrong.password = "contrasena";
    EXPECT_EQ(openWithPassword(wrong, reinterpret_cast<uint8_t*>(copy.data()), copy.size(), tag),
              GcmResult::TagMismatch);
    copy = data;
    PasswordSeal otherCount = seal;
    otherCount.iterations = 1001;
    EXPECT_EQ(openWithPassword(otherCount, reinterpret_cast<uint8_t*>(copy.data()), copy.size(), tag),
              GcmResult::TagMismatch);
    ASSERT_EQ(openWithPassword(seal, bytes, data.size(), tag), GcmResult::Done);
    EXPECT_EQ(data, plain);
}

// "ñ" in the ANSI code page is one byte, in UTF-8 two: the key is derived
// from the UTF-8 bytes, so a file opens under any code page.
// The programs read a password as UTF-8 whatever its script, and the seal
// keys with those bytes: the code page's byte for the same letter is
// another password.
TEST(SystemCrypto, APasswordIsTakenAsItsUtf8)
{
    uint8_t salt[kSealSaltSize] = {1, 2, 3}, nonce[kGcmNonceSize] = {4, 5, 6}, tag[kGcmTagSize];
    uint8_t fromAnsi[kGcmKeySize], fromUtf8[kGcmKeySize];
    std::string data = "x";
    ASSERT_EQ(sealWithPassword({"\xC3\xB1", 1000, salt, nonce, ""}, reinterpret_cast<uint8_t*>(data.data()), 1, tag),
              GcmResult::Done);
    ASSERT_TRUE(derivePbkdf2Sha256("\xC3\xB1", salt, sizeof salt, 1000, fromUtf8, sizeof fromUtf8));
    ASSERT_TRUE(derivePbkdf2Sha256("\xF1", salt, sizeof salt, 1000, fromAnsi, sizeof fromAnsi));
    std::string plain = data;
    EXPECT_EQ(gcmDecrypt({fromAnsi, nonce, ""}, reinterpret_cast<uint8_t*>(plain.data()), 1, tag),
              GcmResult::TagMismatch);
    plain = data;
    ASSERT_EQ(gcmDecrypt({fromUtf8, nonce, ""}, reinterpret_cast<uint8_t*>(plain.data()), 1, tag), GcmResult::Done);
    EXPECT_EQ(plain, "x");
}

}  // namespace
}  // namespace tessaly
