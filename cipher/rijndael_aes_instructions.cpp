#include "cipher/rijndael_aes_instructions.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define TESSALY_AES_TARGET __attribute__((target("aes,sse4.1")))
#define TESSALY_WIDE_AES_TARGET __attribute__((target("vaes,avx2,aes,sse4.1")))
#endif

namespace tessaly::aes_instructions {

#if defined(TESSALY_AES_TARGET)

namespace {

constexpr int kRounds256 = 14;
constexpr size_t kLanes = 4;

// Byte 4·c + r is row r of column c. Before AESENC's ShiftRows (row r moves
// by r within each half) the halves A and B are rebuilt so that the result is
// Rijndael-256's ShiftRows (row r moves by 0, 1, 3, 4 across all eight
// columns): A' = shuffle(blend(A, B)), B' = shuffle(blend(B, A)), where the
// blend takes the bytes of the other half that the row shift carries across
// and the shuffle moves rows 2 and 3 on by one column. The inverse shift
// needs the mirrored masks.
struct Rearrangement {
    __m128i blend;
    __m128i shuffle;
};

TESSALY_AES_TARGET Rearrangement forwardRearrangement()
{
    // blend: row 1 col 0; row 2 cols 0, 1, 2; row 3 all (byte index 4c + r).
    const __m128i blend = _mm_setr_epi8(0, -1, -1, -1, 0, 0, -1, -1, 0, 0, -1, -1, 0, 0, 0, -1);
    const __m128i shuffle = _mm_setr_epi8(0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13, 2, 3);
    return {blend, shuffle};
}

TESSALY_AES_TARGET Rearrangement inverseRearrangement()
{
    // blend: row 1 col 3; row 2 cols 1, 2, 3; row 3 all.
    const __m128i blend = _mm_setr_epi8(0, 0, 0, -1, 0, 0, -1, -1, 0, 0, -1, -1, 0, -1, -1, -1);
    const __m128i shuffle = _mm_setr_epi8(0, 1, 14, 15, 4, 5, 2, 3, 8, 9, 6, 7, 12, 13, 10, 11);
    return {blend, shuffle};
}

TESSALY_AES_TARGET inline void rearrange(__m128i& a, __m128i& b, const Rearrangement& r)
{
    const __m128i x = _mm_blendv_epi8(a, b, r.blend);
    const __m128i y = _mm_blendv_epi8(b, a, r.blend);
    a = _mm_shuffle_epi8(x, r.shuffle);
    b = _mm_shuffle_epi8(y, r.shuffle);
}

TESSALY_AES_TARGET inline __m128i loadKey(const uint32_t* words)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
}

template <bool Encrypt, size_t Lanes>
TESSALY_AES_TARGET inline void rounds256(const uint32_t* key, uint8_t* data, const Rearrangement& r)
{
    __m128i a[Lanes], b[Lanes];
    const __m128i k0 = loadKey(key), k1 = loadKey(key + 4);
    for (size_t l = 0; l < Lanes; ++l) {
        a[l] = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 32 * l)), k0);
        b[l] = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 32 * l + 16)), k1);
    }
    for (int round = 1; round < kRounds256; ++round) {
        const __m128i ka = loadKey(key + 8 * round), kb = loadKey(key + 8 * round + 4);
        for (size_t l = 0; l < Lanes; ++l) {
            rearrange(a[l], b[l], r);
            a[l] = Encrypt ? _mm_aesenc_si128(a[l], ka) : _mm_aesdec_si128(a[l], ka);
            b[l] = Encrypt ? _mm_aesenc_si128(b[l], kb) : _mm_aesdec_si128(b[l], kb);
        }
    }
    const __m128i ka = loadKey(key + 8 * kRounds256), kb = loadKey(key + 8 * kRounds256 + 4);
    for (size_t l = 0; l < Lanes; ++l) {
        rearrange(a[l], b[l], r);
        a[l] = Encrypt ? _mm_aesenclast_si128(a[l], ka) : _mm_aesdeclast_si128(a[l], ka);
        b[l] = Encrypt ? _mm_aesenclast_si128(b[l], kb) : _mm_aesdeclast_si128(b[l], kb);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + 32 * l), a[l]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + 32 * l + 16), b[l]);
    }
}

template <bool Encrypt>
TESSALY_AES_TARGET void blocks256(const uint32_t* key, uint8_t* data, size_t blocks)
{
    const Rearrangement r = Encrypt ? forwardRearrangement() : inverseRearrangement();
    size_t i = 0;
    for (; i + kLanes <= blocks; i += kLanes) rounds256<Encrypt, kLanes>(key, data + 32 * i, r);
    for (; i < blocks; ++i) rounds256<Encrypt, 1>(key, data + 32 * i, r);
}

// The same rounds with both halves of a block in one 256-bit register: the
// blend takes the other half from the register with its halves swapped.
template <bool Encrypt, size_t Lanes>
TESSALY_WIDE_AES_TARGET inline void rounds256Wide(const uint32_t* key, uint8_t* data, __m256i blend, __m256i shuffle)
{
    __m256i s[Lanes];
    const __m256i k0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(key));
    for (size_t l = 0; l < Lanes; ++l) {
        s[l] = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + 32 * l)), k0);
    }
    for (int round = 1; round <= kRounds256; ++round) {
        const __m256i k = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(key + 8 * round));
        for (size_t l = 0; l < Lanes; ++l) {
            const __m256i swapped = _mm256_permute2x128_si256(s[l], s[l], 0x01);
            s[l] = _mm256_shuffle_epi8(_mm256_blendv_epi8(s[l], swapped, blend), shuffle);
            if (round < kRounds256) {
                s[l] = Encrypt ? _mm256_aesenc_epi128(s[l], k) : _mm256_aesdec_epi128(s[l], k);
            } else {
                s[l] = Encrypt ? _mm256_aesenclast_epi128(s[l], k) : _mm256_aesdeclast_epi128(s[l], k);
            }
        }
    }
    for (size_t l = 0; l < Lanes; ++l) _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + 32 * l), s[l]);
}

template <bool Encrypt>
TESSALY_WIDE_AES_TARGET void blocks256Wide(const uint32_t* key, uint8_t* data, size_t blocks)
{
    const Rearrangement r = Encrypt ? forwardRearrangement() : inverseRearrangement();
    const __m256i blend = _mm256_broadcastsi128_si256(r.blend);
    const __m256i shuffle = _mm256_broadcastsi128_si256(r.shuffle);
    size_t i = 0;
    for (; i + 2 * kLanes <= blocks; i += 2 * kLanes) {
        rounds256Wide<Encrypt, 2 * kLanes>(key, data + 32 * i, blend, shuffle);
    }
    for (; i < blocks; ++i) rounds256Wide<Encrypt, 1>(key, data + 32 * i, blend, shuffle);
}

template <bool Encrypt, size_t Lanes>
TESSALY_AES_TARGET inline void rounds128(const uint32_t* key, int rounds, uint8_t* data)
{
    __m128i s[Lanes];
    const __m128i k0 = loadKey(key);
    for (size_t l = 0; l < Lanes; ++l) {
        s[l] = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * l)), k0);
    }
    for (int round = 1; round < rounds; ++round) {
        const __m128i k = loadKey(key + 4 * round);
        for (size_t l = 0; l < Lanes; ++l) s[l] = Encrypt ? _mm_aesenc_si128(s[l], k) : _mm_aesdec_si128(s[l], k);
    }
    const __m128i k = loadKey(key + 4 * rounds);
    for (size_t l = 0; l < Lanes; ++l) {
        s[l] = Encrypt ? _mm_aesenclast_si128(s[l], k) : _mm_aesdeclast_si128(s[l], k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + 16 * l), s[l]);
    }
}

template <bool Encrypt>
TESSALY_AES_TARGET void blocks128(const uint32_t* key, int rounds, uint8_t* data, size_t blocks)
{
    size_t i = 0;
    for (; i + 2 * kLanes <= blocks; i += 2 * kLanes) rounds128<Encrypt, 2 * kLanes>(key, rounds, data + 16 * i);
    for (; i < blocks; ++i) rounds128<Encrypt, 1>(key, rounds, data + 16 * i);
}

}  // namespace

bool available()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    const bool aes = ecx & bit_AES, sse41 = ecx & bit_SSE4_1;
    return aes && sse41;
}

bool wideAvailable()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!available() || !__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    if (!(ecx & bit_OSXSAVE) || !(ecx & bit_AVX)) return false;
    // The system must save the 256-bit registers across thread switches.
    unsigned low = 0, high = 0;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    if ((low & 6) != 6) return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    return (ebx & bit_AVX2) && (ecx & bit_VAES);
}

void encrypt256Wide(const uint32_t* fkey, uint8_t* data, size_t blocks)
{
    blocks256Wide<true>(fkey, data, blocks);
}

void decrypt256Wide(const uint32_t* rkey, uint8_t* data, size_t blocks)
{
    blocks256Wide<false>(rkey, data, blocks);
}

void encrypt256(const uint32_t* fkey, uint8_t* data, size_t blocks)
{
    blocks256<true>(fkey, data, blocks);
}

void decrypt256(const uint32_t* rkey, uint8_t* data, size_t blocks)
{
    blocks256<false>(rkey, data, blocks);
}

void encrypt128(const uint32_t* fkey, int rounds, uint8_t* data, size_t blocks)
{
    blocks128<true>(fkey, rounds, data, blocks);
}

void decrypt128(const uint32_t* rkey, int rounds, uint8_t* data, size_t blocks)
{
    blocks128<false>(rkey, rounds, data, blocks);
}

#else

bool available()
{
    return false;
}

bool wideAvailable()
{
    return false;
}

void encrypt256Wide(const uint32_t*, uint8_t*, size_t) {}
void decrypt256Wide(const uint32_t*, uint8_t*, size_t) {}
void encrypt256(const uint32_t*, uint8_t*, size_t) {}
void decrypt256(const uint32_t*, uint8_t*, size_t) {}
void encrypt128(const uint32_t*, int, uint8_t*, size_t) {}
void decrypt128(const uint32_t*, int, uint8_t*, size_t) {}

#endif

}  // namespace tessaly::aes_instructions
