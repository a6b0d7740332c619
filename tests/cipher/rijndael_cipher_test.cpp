#include "cipher/rijndael_cipher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "cipher/rijndael_tables.h"

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;
using Engine = RijndaelCipher::Engine;

Bytes fromHex(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string asKey(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

constexpr Engine kAllEngines[] = {Engine::Tables, Engine::AesInstructions, Engine::WideAesInstructions};

// The engines this processor offers for the cipher's block length.
std::vector<Engine> engines(const RijndaelCipher& cipher)
{
    std::vector<Engine> offered;
    for (Engine engine : kAllEngines) {
        if (cipher.engineAvailable(engine)) offered.push_back(engine);
    }
    return offered;
}

const char* name(Engine engine)
{
    switch (engine) {
    case Engine::Tables:
        return "tables";
    case Engine::AesInstructions:
        return "AES instructions";
    case Engine::WideAesInstructions:
        return "wide AES instructions";
    }
    return "?";
}

Bytes randomBytes(std::mt19937& random, size_t length)
{
    Bytes bytes(length);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

class RecordingProgress : public Progress {
public:
    void start(uint64_t total) override { starts.push_back(total); }
    bool advance(uint64_t delta) override
    {
        deltas.push_back(delta);
        return deltas.size() < stopAfter;
    }
    std::vector<uint64_t> starts, deltas;
    size_t stopAfter = SIZE_MAX;
};

TEST(RijndaelTables, FieldAndBoxes)
{
    const RijndaelTables& t = rijndaelTables();
    EXPECT_EQ(t.power[0], 0x01);
    EXPECT_EQ(t.power[1], 0x03);
    EXPECT_EQ(t.log[1], 0);
    EXPECT_EQ(t.log[3], 1);
    EXPECT_EQ(t.sbox[0x00], 0x63);
    EXPECT_EQ(t.sbox[0x53], 0xED);  // FIPS-197 5.1.1
    EXPECT_EQ(t.sbox[0xFF], 0x16);
    EXPECT_EQ(t.inverseSbox[0x63], 0x00);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(t.inverseSbox[t.sbox[i]], i);
    EXPECT_EQ(gfMultiply(t, 0x57, 0x83), 0xC1);  // FIPS-197 4.2
    EXPECT_EQ(t.forward[0], 0xA56363C6u);        // (C6, 63, 63, A5)
    const uint8_t constants[] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1B, 0x36,
                                 0x6C, 0xD8, 0xAB, 0x4D, 0x9A, 0x2F, 0x5E, 0xBC, 0x63, 0xC6,
                                 0x97, 0x35, 0x6A, 0xD4, 0xB3, 0x7D, 0xFA, 0xEF, 0xC5, 0x91};
    for (size_t k = 0; k < sizeof constants; ++k) EXPECT_EQ(t.roundConstants[k], constants[k]) << k;
}

TEST(RijndaelCipher, PublishedVectorsOnEveryEngine)
{
    std::ifstream file(TESSALY_SOURCE_DIR "/tests/data/rijndael_vectors.txt");
    ASSERT_TRUE(file);
    std::string line;
    int vectors = 0, blocks32 = 0;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        int blockBytes = 0;
        std::string keyHex, plainHex, cipherHex, source;
        if (!(fields >> blockBytes >> keyHex >> plainHex >> cipherHex >> source)) continue;
        const Bytes key = fromHex(keyHex), plain = fromHex(plainHex), expected = fromHex(cipherHex);
        const int block = plain.size() > 32 ? 32 : blockBytes;
        ASSERT_EQ(plain.size() % block, 0u) << line;
        ++vectors;
        blocks32 += block == 32;
        RijndaelCipher cipher;
        cipher.setKey(asKey(key), block);
        for (Engine engine : engines(cipher)) {
            cipher.useEngine(engine);
            Bytes data = plain;
            EXPECT_EQ(cipher.encryptBuffer(data.data(), data.size()), data.size());
            EXPECT_EQ(data, expected) << name(engine) << ": " << source;
            cipher.decryptBuffer(data.data(), data.size());
            EXPECT_EQ(data, plain) << name(engine) << ": " << source;

            Bytes single(block);
            cipher.encryptBlock(plain.data(), single.data());
            EXPECT_TRUE(std::equal(single.begin(), single.end(), expected.begin())) << source;
            cipher.decryptBlock(single.data(), single.data());
            EXPECT_TRUE(std::equal(single.begin(), single.end(), plain.begin())) << source;
        }
    }
    EXPECT_GE(vectors, 50);
    EXPECT_GE(blocks32, 20);
}

TEST(RijndaelCipher, EnginesAgreeOnRandomKeysAndLengths)
{
    std::mt19937 random(20261207);
    int compared = 0;
    for (int block : {16, 24, 32}) {
        for (size_t passwordLength = 4; passwordLength <= 36; ++passwordLength) {
            const Bytes password = randomBytes(random, passwordLength);
            const Bytes plain = randomBytes(random, 32 * 9 + random() % 97);
            RijndaelCipher cipher;
            cipher.setKey(asKey(password), block);
            cipher.useEngine(Engine::Tables);
            Bytes reference = plain;
            cipher.encryptBuffer(reference.data(), reference.size());
            for (Engine engine : engines(cipher)) {
                cipher.useEngine(engine);
                ASSERT_EQ(cipher.engine(), engine);
                Bytes data = plain;
                cipher.encryptBuffer(data.data(), data.size());
                EXPECT_EQ(data, reference) << name(engine) << " " << block << " " << passwordLength;
                cipher.decryptBuffer(data.data(), data.size());
                EXPECT_EQ(data, plain) << name(engine) << " " << block << " " << passwordLength;
                compared += engine != Engine::Tables;
            }
        }
    }
    if (compared == 0) GTEST_SKIP() << "no AES instructions on this processor";
}

TEST(RijndaelCipher, EveryLengthAndKeyLengthComesBack)
{
    std::mt19937 random(7);
    const Bytes plain = randomBytes(random, 200);
    for (int block : {16, 24, 32}) {
        for (int words = 1; words <= 8; ++words) {
            const Bytes password = randomBytes(random, 4 * words);
            RijndaelCipher cipher;
            cipher.setKey(asKey(password), block);
            for (Engine engine : engines(cipher)) {
                cipher.useEngine(engine);
                EXPECT_EQ(cipher.keyWords(), words);
                EXPECT_EQ(cipher.rounds(), std::max(block / 4, words) + 6);
                for (size_t length = 0; length <= plain.size(); ++length) {
                    Bytes data(plain.begin(), plain.begin() + length);
                    cipher.encryptBuffer(data.data(), length);
                    if (length >= 16) {
                        EXPECT_NE(data, Bytes(plain.begin(), plain.begin() + length));
                    }
                    cipher.decryptBuffer(data.data(), length);
                    ASSERT_EQ(data, Bytes(plain.begin(), plain.begin() + length))
                        << "block " << block << " words " << words << " length " << length << " " << name(engine);
                }
            }
        }
    }
}

TEST(RijndaelCipher, TailIsXoredWithTheEncipheredOffset)
{
    RijndaelCipher cipher;
    cipher.setKey("secret password", 32);
    for (size_t length : {size_t(3), size_t(100), size_t(32 * 5 + 31)}) {
        std::mt19937 random(static_cast<unsigned>(length));
        const Bytes plain = randomBytes(random, length);
        Bytes data = plain;
        cipher.encryptBuffer(data.data(), length);

        const size_t tail = length % 32;
        const uint64_t offset = length - tail;
        uint8_t stream[32] = {};
        for (int i = 0; i < 8; ++i) stream[i] = static_cast<uint8_t>(offset >> (8 * i));
        cipher.encryptBlock(stream, stream);
        for (size_t i = 0; i < tail; ++i) EXPECT_EQ(data[offset + i], plain[offset + i] ^ stream[i]) << length;
        // Whole blocks are enciphered block by block, without chaining.
        for (size_t b = 0; b < offset; b += 32) {
            uint8_t expected[32];
            cipher.encryptBlock(plain.data() + b, expected);
            EXPECT_TRUE(std::equal(expected, expected + 32, data.begin() + b)) << length;
        }
    }
}

TEST(RijndaelCipher, PiecesGiveTheBytesOfTheWholeStream)
{
    std::mt19937 random(11);
    const Bytes plain = randomBytes(random, 1000);
    for (int block : {16, 32}) {
        RijndaelCipher cipher;
        cipher.setKey("pieces of a stream", block);
        for (size_t length : {size_t(0), size_t(block), size_t(999), size_t(1000)}) {
            Bytes whole(plain.begin(), plain.begin() + length);
            cipher.encryptBuffer(whole.data(), length);
            for (size_t piece : {size_t(block), size_t(3 * block), size_t(10 * block)}) {
                Bytes data(plain.begin(), plain.begin() + length);
                for (size_t offset = 0; offset < length; offset += piece) {
                    cipher.encryptPiece(data.data() + offset, std::min(piece, length - offset), offset);
                }
                EXPECT_EQ(data, whole) << block << " " << length << " " << piece;
                for (size_t offset = 0; offset < length; offset += piece) {
                    cipher.decryptPiece(data.data() + offset, std::min(piece, length - offset), offset);
                }
                EXPECT_EQ(data, Bytes(plain.begin(), plain.begin() + length)) << block << " " << length << " " << piece;
            }
        }
    }
}

TEST(RijndaelCipher, KeyIsTheFirstWholeWordsOfAtMost35Bytes)
{
    auto enciphered = [](const std::string& password) {
        RijndaelCipher cipher;
        cipher.setKey(password, 32);
        Bytes data(64, 0x5A);
        cipher.encryptBuffer(data.data(), data.size());
        return data;
    };
    EXPECT_EQ(enciphered("abcdef"), enciphered("abcdXY"));
    EXPECT_EQ(enciphered("abcdef"), enciphered("abcd"));
    EXPECT_NE(enciphered("abcdef"), enciphered("abceef"));
    EXPECT_EQ(enciphered("0123456789abcdefg"), enciphered("0123456789abcdef"));
    const std::string forty = "0123456789012345678901234567890123456789";
    EXPECT_EQ(enciphered(forty), enciphered(forty.substr(0, 32)));
    EXPECT_EQ(enciphered(forty), enciphered(forty.substr(0, 35)));

    RijndaelCipher cipher;
    cipher.setKey(forty, 32);
    EXPECT_EQ(cipher.keyWords(), 8);
    EXPECT_EQ(cipher.rounds(), 14);
}

TEST(RijndaelCipher, RefusedKeysChangeNothing)
{
    RijndaelCipher cipher;
    cipher.setKey("good key", 32);
    Bytes before(32, 1);
    cipher.encryptBuffer(before.data(), before.size());

    try {
        cipher.setKey("another key", 20);
        FAIL() << "block length 20 was accepted";
    } catch (const BlockLengthError& error) {
        EXPECT_STREQ(error.what(), "Error: El tama\xf1o del bloque debe ser 16, 24 o 32");
    }
    EXPECT_THROW(cipher.setKey("abc", 32), ShortKeyError);
    EXPECT_THROW(cipher.setKey("", 16), ShortKeyError);
    EXPECT_THROW(cipher.setKey("abc", 20), BlockLengthError);

    Bytes after(32, 1);
    cipher.encryptBuffer(after.data(), after.size());
    EXPECT_EQ(after, before);
    EXPECT_EQ(cipher.blockBytes(), 32);
}

TEST(RijndaelCipher, ProgressCoversTheLengthAndCanStopTheRun)
{
    RijndaelCipher cipher;
    cipher.setKey("progress", 32);
    {
        RecordingProgress progress;
        Bytes data;
        EXPECT_EQ(cipher.encryptBuffer(data.data(), 0, &progress), 0u);
        EXPECT_EQ(progress.starts, std::vector<uint64_t>{0});
        EXPECT_TRUE(progress.deltas.empty());
    }
    {
        RecordingProgress progress;
        Bytes data(100, 7);
        EXPECT_EQ(cipher.encryptBuffer(data.data(), data.size(), &progress), 100u);
        EXPECT_EQ(progress.starts, std::vector<uint64_t>{100});
        EXPECT_EQ(progress.deltas, (std::vector<uint64_t>{32, 32, 32, 32}));
    }
    {
        // A large buffer: coalesced reports, still ending at its length.
        RecordingProgress progress;
        Bytes data(3 * 1000 * 777 + 5);
        cipher.decryptBuffer(data.data(), data.size(), &progress);
        EXPECT_LE(progress.deltas.size(), 257u);
        uint64_t sum = 0;
        for (uint64_t d : progress.deltas) sum += d;
        EXPECT_EQ(sum, data.size() - data.size() % 32 + 32);
    }
    {
        RecordingProgress progress;
        progress.stopAfter = 1;
        const Bytes plain(32 * 1024, 9);
        Bytes data = plain;
        const size_t done = cipher.encryptBuffer(data.data(), data.size(), &progress);
        EXPECT_LT(done, data.size());
        EXPECT_EQ(done % 32, 0u);
        EXPECT_TRUE(std::equal(data.begin() + done, data.end(), plain.begin() + done));
        EXPECT_NE(data[0], plain[0]);
    }
}

}  // namespace
}  // namespace tessaly
