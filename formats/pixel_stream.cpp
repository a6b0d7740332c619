#include "formats/pixel_stream.h"

#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#include <tmmintrin.h>
#endif

#include "formats/bitmap_format.h"

namespace tessaly {

namespace {

#if defined(__x86_64__)
// Five pixels a step: a 16-byte load holds five whole pixels and the first
// byte of a sixth, which comes back unchanged and is written again by the
// next step or the plain loop. Goes on only while six pixels remain, so no
// load or store passes the row's last pixel. Answers how many pixels it did.
__attribute__((target("ssse3"))) uint32_t reverseChannelsSsse3(const uint8_t* in, uint8_t* out, uint32_t pixels)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    uint32_t x = 0;
    for (; x + 6 <= pixels; x += 5) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 3 * static_cast<size_t>(x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * static_cast<size_t>(x)), _mm_shuffle_epi8(block, order));
    }
    return x;
}

bool ssse3Available()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (ecx & bit_SSSE3) != 0;
}
#endif

// Blue-green-red to red-green-blue and back: the same swap either way.
// `in` and `out` never overlap.
void reverseChannels(const uint8_t* in, uint8_t* out, uint32_t pixels)
{
    uint32_t x = 0;
#if defined(__x86_64__)
    static const bool fast = ssse3Available();
    if (fast) x = reverseChannelsSsse3(in, out, pixels);
#endif
    for (in += 3 * static_cast<size_t>(x), out += 3 * static_cast<size_t>(x); x < pixels; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

// Where stream row `y` (from the top) is kept among the bottom-up rows.
size_t storedRowOffset(uint32_t width, uint32_t height, uint32_t y)
{
    return (height - 1 - y) * bitmapRowBytes(width);
}

}  // namespace

size_t pixelStreamBytes(uint32_t width, uint32_t height)
{
    return 3 * static_cast<size_t>(width) * height;
}

void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, RowBand band, uint8_t* stream)
{
    for (uint32_t i = 0; i < band.count; ++i) {
        const uint8_t* in = rows + storedRowOffset(width, height, band.first + i);
        reverseChannels(in, stream + pixelStreamBytes(width, i), width);
    }
}

void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, RowBand band, uint8_t* rows)
{
    const size_t padding = bitmapRowPadding(width);
    for (uint32_t i = 0; i < band.count; ++i) {
        uint8_t* out = rows + storedRowOffset(width, height, band.first + i);
        reverseChannels(stream + pixelStreamBytes(width, i), out, width);
        std::memset(out + 3 * static_cast<size_t>(width), 0, padding);
    }
}

void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, uint8_t* stream)
{
    pixelStreamFromRows(rows, width, height, RowBand{0, height}, stream);
}

void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, uint8_t* rows)
{
    rowsFromPixelStream(stream, width, height, RowBand{0, height}, rows);
}

uint32_t rowsPerBand(uint32_t width, size_t blockBytes, size_t targetBytes)
{
    // 3·width·rows is a multiple of the block once rows is a multiple of
    // blockBytes / gcd(width, blockBytes): 3 shares no factor with it.
    size_t common = 1;
    while (common < blockBytes && width % (2 * common) == 0) common *= 2;
    const auto step = static_cast<uint32_t>(blockBytes / common);
    const size_t stepBytes = pixelStreamBytes(width, step);
    if (stepBytes == 0 || stepBytes >= targetBytes) return step;
    return step * static_cast<uint32_t>(targetBytes / stepBytes);
}

}  // namespace tessaly
