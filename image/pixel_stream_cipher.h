#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/progress.h"
#include "cipher/rijndael_cipher.h"

namespace tessaly {

enum class CipherDirection { Encrypt, Decrypt };

enum class PixelCipherResult { Done, Stopped, OutOfMemory };

// About what one band of rows takes in the stream: small enough to stay in
// the processor's cache while it is converted, enciphered and put back.
constexpr size_t kPixelBandBytes = 96 * 1024;
// From this length of stream on, a second thread takes bands as well.
constexpr size_t kSharedPixelStreamBytes = 2 * 1024 * 1024;

// Enciphers (deciphers) the pixel stream of the 24-bit bottom-up rows `in`
// and leaves the result as rows in `out` (another picture of the same size):
// the bytes of building the whole stream, one encryptBuffer over it and
// back, but a band of rows at a time through a small buffer, which is wiped
// afterwards. `progress` covers the 3·W·H bytes of the stream, is told only
// on the calling thread, and may stop the run between bands; `out` is then
// partly written.
[[nodiscard]] PixelCipherResult cipherPixelStream(const RijndaelCipher& cipher, CipherDirection direction,
                                                  const uint8_t* in, uint8_t* out, uint32_t width, uint32_t height,
                                                  Progress* progress, size_t bandBytes = kPixelBandBytes);

}  // namespace tessaly
