#pragma once

#include <windows.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "cipher/password_key.h"
#include "formats/pixel_stream.h"
#include "image/pixel_stream_cipher.h"
#include "platform/win32_handles.h"
#include "formats/bitmap_file.h"

namespace tessaly::testing {

// A pixel stream of random bytes, the same for the same seed.
inline std::vector<uint8_t> randomStream(uint32_t width, uint32_t height, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> stream(pixelStreamBytes(width, height));
    for (auto& byte : stream) byte = static_cast<uint8_t>(random());
    return stream;
}

// A picture holding `stream`; empty when it cannot be made.
inline BitmapHandle pictureOf(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height)
{
    ImageRows rows;
    BitmapHandle image(createImage(width, height, &rows));
    if (image) rowsFromPixelStream(stream.data(), width, height, rows.rows);
    return image;
}

// A picture of one colour.
inline BitmapHandle flatPicture(uint32_t width, uint32_t height, COLORREF colour)
{
    std::vector<uint8_t> stream;
    for (uint32_t i = 0; i < width * height; ++i) {
        stream.insert(stream.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    }
    return pictureOf(stream, width, height);
}

// The picture of `stream` enciphered with `password` as both programs do it.
inline BitmapHandle encryptedPictureOf(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height,
                                       const std::string& password)
{
    BitmapHandle plain = pictureOf(stream, width, height);
    ImageRows in, out;
    imageRows(plain.get(), in);
    BitmapHandle encrypted(createImage(width, height, &out));
    RijndaelCipher cipher;
    // Nothing to encipher with, or enciphering stopped: no picture.
    if (!keyWithPassword(cipher, password) || cipherPixelStream(cipher, CipherDirection::Encrypt, in.rows, out.rows,
                                                                width, height, nullptr) != PixelCipherResult::Done) {
        return {};
    }
    return encrypted;
}

// Pixel (x, y) of a pixel stream `width` pixels wide, as 0xRRGGBB.
inline uint32_t pixelAt(const std::vector<uint8_t>& stream, uint32_t width, uint32_t x, uint32_t y)
{
    const size_t at = 3 * (static_cast<size_t>(y) * width + x);
    return static_cast<uint32_t>(stream[at]) << 16 | static_cast<uint32_t>(stream[at + 1]) << 8 | stream[at + 2];
}

// A picture's pixel stream; empty for a bitmap not made by createImage.
inline std::vector<uint8_t> streamOf(HBITMAP image)
{
    ImageRows rows;
    if (!imageRows(image, rows)) return {};
    std::vector<uint8_t> stream(pixelStreamBytes(rows.width, rows.height));
    pixelStreamFromRows(rows.rows, rows.width, rows.height, stream.data());
    return stream;
}

}  // namespace tessaly::testing
