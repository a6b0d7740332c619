#include "image/pixel_stream_cipher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "formats/pixel_stream.h"
#include "formats/bitmap_format.h"

namespace tessaly {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes randomRows(uint32_t width, uint32_t height, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes stream(pixelStreamBytes(width, height));
    for (auto& byte : stream) byte = static_cast<uint8_t>(random());
    Bytes rows(bitmapPixelBytes(width, height));
    rowsFromPixelStream(stream.data(), width, height, rows.data());
    return rows;
}

// What the bands must add up to: the whole stream through one buffer call.
Bytes wholeStreamResult(const RijndaelCipher& cipher, CipherDirection direction, const Bytes& rows, uint32_t width,
                        uint32_t height)
{
    Bytes stream(pixelStreamBytes(width, height));
    pixelStreamFromRows(rows.data(), width, height, stream.data());
    direction == CipherDirection::Encrypt ? cipher.encryptBuffer(stream.data(), stream.size())
                                          : cipher.decryptBuffer(stream.data(), stream.size());
    Bytes result(rows.size());
    rowsFromPixelStream(stream.data(), width, height, result.data());
    return result;
}

struct CountingProgress : Progress {
    void start(uint64_t total) override { this->total = total; }
    bool advance(uint64_t delta) override
    {
        done += delta;
        return ++reports < stopAfter;
    }
    uint64_t total = 0, done = 0;
    int reports = 0;
    int stopAfter = 1 << 30;
};

TEST(PixelStreamCipher, BandsGiveTheBytesOfTheWholeStreamAndComeBack)
{
    RijndaelCipher cipher;
    cipher.setKey("bands of rows", 32);
    for (uint32_t width = 1; width <= 9; ++width) {
        for (uint32_t height : {1u, 2u, 33u, 70u}) {
            const Bytes plain = randomRows(width, height, width * 100 + height);
            for (size_t bandBytes : {size_t(1), size_t(200), kPixelBandBytes}) {
                Bytes enciphered(plain.size(), 0xEE), back(plain.size(), 0xEE);
                CountingProgress progress;
                ASSERT_EQ(cipherPixelStream(cipher, CipherDirection::Encrypt, plain.data(), enciphered.data(), width,
                                            height, &progress, bandBytes),
                          PixelCipherResult::Done);
                EXPECT_TRUE(enciphered == wholeStreamResult(cipher, CipherDirection::Encrypt, plain, width, height))
                    << width << "x" << height << " bands of " << bandBytes;
                EXPECT_EQ(progress.total, pixelStreamBytes(width, height));
                EXPECT_EQ(progress.done, progress.total);
                ASSERT_EQ(cipherPixelStream(cipher, CipherDirection::Decrypt, enciphered.data(), back.data(), width,
                                            height, nullptr, bandBytes),
                          PixelCipherResult::Done);
                EXPECT_TRUE(back == plain) << width << "x" << height << " bands of " << bandBytes;
            }
        }
    }
}

TEST(PixelStreamCipher, ProgressStopsTheRunBetweenBands)
{
    RijndaelCipher cipher;
    cipher.setKey("bands of rows", 32);
    const uint32_t width = 100, height = 64;
    const Bytes plain = randomRows(width, height, 5);
    Bytes out(plain.size(), 0);
    CountingProgress progress;
    progress.stopAfter = 2;
    EXPECT_EQ(cipherPixelStream(cipher, CipherDirection::Encrypt, plain.data(), out.data(), width, height, &progress,
                                pixelStreamBytes(width, 8)),
              PixelCipherResult::Stopped);
    EXPECT_EQ(progress.reports, 2);
    EXPECT_EQ(progress.done, pixelStreamBytes(width, 16));
    // The rows of the bands not reached stay as they were: the top rows are stored last.
    EXPECT_EQ(out[0], 0);
    EXPECT_NE(Bytes(out.end() - 300, out.end()), Bytes(300, 0));
}

TEST(PixelStreamCipher, ALargePictureSharedBetweenTwoThreadsGivesTheSameBytes)
{
    RijndaelCipher cipher;
    cipher.setKey("two threads", 16);
    // A width that is no multiple of the block: bands end inside rows.
    const uint32_t width = 1001, height = 700;
    ASSERT_GE(pixelStreamBytes(width, height), kSharedPixelStreamBytes);
    const Bytes plain = randomRows(width, height, 21);
    Bytes enciphered(plain.size()), back(plain.size());
    CountingProgress progress;
    ASSERT_EQ(cipherPixelStream(cipher, CipherDirection::Encrypt, plain.data(), enciphered.data(), width, height,
                                &progress),
              PixelCipherResult::Done);
    EXPECT_TRUE(enciphered == wholeStreamResult(cipher, CipherDirection::Encrypt, plain, width, height));
    EXPECT_EQ(progress.done, progress.total);
    ASSERT_EQ(cipherPixelStream(cipher, CipherDirection::Decrypt, enciphered.data(), back.data(), width, height,
                                nullptr),
              PixelCipherResult::Done);
    EXPECT_TRUE(back == plain);

    CountingProgress stopping;
    stopping.stopAfter = 1;
    EXPECT_EQ(cipherPixelStream(cipher, CipherDirection::Decrypt, enciphered.data(), back.data(), width, height,
                                &stopping),
              PixelCipherResult::Stopped);
    EXPECT_EQ(stopping.reports, 1);
}

TEST(PixelStreamCipher, BandsEndOnBlockBoundaries)
{
    for (uint32_t width : {1u, 2u, 3u, 4u, 6u, 8u, 12u, 32u, 33u, 64u, 4000u, 100000u}) {
        for (size_t block : {16u, 32u}) {
            for (size_t target : {size_t(1), size_t(1000), kPixelBandBytes}) {
                const uint32_t rows = rowsPerBand(width, block, target);
                ASSERT_GT(rows, 0u);
                EXPECT_EQ(pixelStreamBytes(width, rows) % block, 0u) << width << " " << block << " " << target;
                // The fewest rows that end on a boundary, or as many as fit the target.
                EXPECT_TRUE(rows <= block || pixelStreamBytes(width, rows) <= target) << width << " " << target;
            }
        }
    }
    EXPECT_EQ(rowsPerBand(1, 32, 1), 32u);
    EXPECT_EQ(rowsPerBand(4, 32, 1), 8u);
    EXPECT_EQ(rowsPerBand(32, 32, 1), 1u);
    EXPECT_EQ(rowsPerBand(4000, 32, kPixelBandBytes), 8u);
}

}  // namespace
}  // namespace tessaly
