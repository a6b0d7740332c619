#include "image/pixel_stream_cipher.h"

#include <algorithm>
#include <new>
#include <vector>

#include "platform/secure_wipe.h"
#include "formats/pixel_stream.h"

namespace tessaly {

namespace {

// The band holds readable pixels before enciphering or after deciphering.
struct WipedBuffer {
    std::vector<uint8_t> bytes;
    ~WipedBuffer()
    {
        if (!bytes.empty()) secureWipe(bytes.data(), bytes.size());
    }
};

}  // namespace

PixelCipherResult cipherPixelStream(const RijndaelCipher& cipher, CipherDirection direction, const uint8_t* in,
                                    uint8_t* out, uint32_t width, uint32_t height, CipherProgress* progress,
                                    size_t bandBytes)
{
    const uint32_t bandRows = std::min(height, rowsPerBand(width, static_cast<size_t>(cipher.blockBytes()), bandBytes));
    WipedBuffer band;
    try {
        band.bytes.resize(pixelStreamBytes(width, bandRows));
    } catch (const std::bad_alloc&) {
        return PixelCipherResult::OutOfMemory;
    }
    if (progress) progress->start(pixelStreamBytes(width, height));
    for (uint32_t first = 0; first < height; first += bandRows) {
        const RowBand rows{first, std::min(bandRows, height - first)};
        const size_t length = pixelStreamBytes(width, rows.count);
        const uint64_t offset = pixelStreamBytes(width, first);
        pixelStreamFromRows(in, width, height, rows, band.bytes.data());
        if (direction == CipherDirection::Encrypt) {
            cipher.encryptPiece(band.bytes.data(), length, offset);
        } else {
            cipher.decryptPiece(band.bytes.data(), length, offset);
        }
        rowsFromPixelStream(band.bytes.data(), width, height, rows, out);
        if (progress && !progress->advance(length)) return PixelCipherResult::Stopped;
    }
    return PixelCipherResult::Done;
}

}  // namespace tessaly
