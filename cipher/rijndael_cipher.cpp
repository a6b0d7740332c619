#include "cipher/rijndael_cipher.h"

#include <algorithm>
#include <utility>

#include "cipher/rijndael_aes_instructions.h"
#include "cipher/rijndael_tables.h"
#include "platform/secure_wipe.h"

namespace tessaly {

BlockLengthError::BlockLengthError() : std::invalid_argument("Error: El tama\xf1o del bloque debe ser 16, 24 o 32") {}

ShortKeyError::ShortKeyError() : std::invalid_argument("The password has fewer than 4 bytes: there is no key") {}

namespace {

constexpr int kMaxReports = 256;

inline uint32_t rotl(uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

inline uint32_t loadWord(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void storeWord(uint8_t* p, uint32_t w)
{
    p[0] = static_cast<uint8_t>(w);
    p[1] = static_cast<uint8_t>(w >> 8);
    p[2] = static_cast<uint8_t>(w >> 16);
    p[3] = static_cast<uint8_t>(w >> 24);
}

inline uint32_t subWord(const RijndaelTables& t, uint32_t w)
{
    return uint32_t(t.sbox[w & 0xFF]) | uint32_t(t.sbox[(w >> 8) & 0xFF]) << 8 |
           uint32_t(t.sbox[(w >> 16) & 0xFF]) << 16 | uint32_t(t.sbox[w >> 24]) << 24;
}

// The ShiftRows offset of row m (1 to 3): 1, 2, 3, or 1, 3, 4 for 32-byte blocks.
constexpr int shiftOffset(int nb, int m)
{
    return m == 1 ? 1 : (nb < 8 ? m : m + 1);
}

// Column whose row-m byte moves into column j: (j + Cm) mod Nb forward,
// (j - Cm) mod Nb inverse.
constexpr int sourceColumn(int nb, int j, int m, bool forward)
{
    return forward ? (j + shiftOffset(nb, m)) % nb : (nb + j - shiftOffset(nb, m)) % nb;
}

template <int Nb, bool Forward>
inline void tableRound(const uint32_t* round, const uint32_t* key, const uint32_t* from, uint32_t* to)
{
#pragma GCC unroll 8
    for (int j = 0; j < Nb; ++j) {
        to[j] = key[j] ^ round[from[j] & 0xFF] ^ rotl(round[(from[sourceColumn(Nb, j, 1, Forward)] >> 8) & 0xFF], 8) ^
                rotl(round[(from[sourceColumn(Nb, j, 2, Forward)] >> 16) & 0xFF], 16) ^
                rotl(round[from[sourceColumn(Nb, j, 3, Forward)] >> 24], 24);
    }
}

template <int Nb, bool Forward>
inline void finalRound(const uint8_t* box, const uint32_t* key, const uint32_t* from, uint8_t* out)
{
#pragma GCC unroll 8
    for (int j = 0; j < Nb; ++j) {
        storeWord(out + 4 * j, key[j] ^ (uint32_t(box[from[j] & 0xFF]) |
                                         uint32_t(box[(from[sourceColumn(Nb, j, 1, Forward)] >> 8) & 0xFF]) << 8 |
                                         uint32_t(box[(from[sourceColumn(Nb, j, 2, Forward)] >> 16) & 0xFF]) << 16 |
                                         uint32_t(box[from[sourceColumn(Nb, j, 3, Forward)] >> 24]) << 24));
    }
}

// One block by the table-driven round: four look-ups, three rotations and
// four XORs per column, with two alternating states. The rounds go in pairs
// so that the states can stay in registers.
template <int Nb, bool Forward>
void transformBlock(const uint32_t* key, int rounds, const uint8_t* in, uint8_t* out)
{
    const RijndaelTables& t = rijndaelTables();
    const uint32_t* round = Forward ? t.forward : t.inverse;
    const uint8_t* box = Forward ? t.sbox : t.inverseSbox;
    uint32_t a[Nb], b[Nb];
    for (int j = 0; j < Nb; ++j) a[j] = loadWord(in + 4 * j) ^ key[j];
    int r = 1;
    for (; r + 1 < rounds; r += 2) {
        tableRound<Nb, Forward>(round, key + Nb * r, a, b);
        tableRound<Nb, Forward>(round, key + Nb * (r + 1), b, a);
    }
    if (r < rounds) {
        tableRound<Nb, Forward>(round, key + Nb * r, a, b);
        finalRound<Nb, Forward>(box, key + Nb * rounds, b, out);
    } else {
        finalRound<Nb, Forward>(box, key + Nb * rounds, a, out);
    }
    secureWipe(a, sizeof a);
    secureWipe(b, sizeof b);
}

template <bool Forward>
void transformBlock(int nb, const uint32_t* key, int rounds, const uint8_t* in, uint8_t* out)
{
    switch (nb) {
    case 4:
        transformBlock<4, Forward>(key, rounds, in, out);
        break;
    case 6:
        transformBlock<6, Forward>(key, rounds, in, out);
        break;
    default:
        transformBlock<8, Forward>(key, rounds, in, out);
        break;
    }
}

uint32_t inverseMixColumn(const RijndaelTables& t, uint32_t w)
{
    // The inverse round table holds InvMixColumn of the inverse S-box, so
    // looking up S[x] gives InvMixColumn of x itself.
    return t.inverse[t.sbox[w & 0xFF]] ^ rotl(t.inverse[t.sbox[(w >> 8) & 0xFF]], 8) ^
           rotl(t.inverse[t.sbox[(w >> 16) & 0xFF]], 16) ^ rotl(t.inverse[t.sbox[w >> 24]], 24);
}

}  // namespace

RijndaelCipher::~RijndaelCipher()
{
    wipe();
}

void RijndaelCipher::wipe()
{
    secureWipe(fkey_, sizeof fkey_);
    secureWipe(rkey_, sizeof rkey_);
    nk_ = nb_ = nr_ = 0;
}

RijndaelCipher& RijndaelCipher::setKey(std::string_view password, int blockBytes)
{
    const RijndaelTables& t = rijndaelTables();
    password = password.substr(0, kMaxPasswordLength);
    if (blockBytes != 16 && blockBytes != 24 && blockBytes != 32) throw BlockLengthError();
    if (!keyable(password)) throw ShortKeyError();
    const int nk = static_cast<int>(password.size() / 4);

    wipe();
    nb_ = blockBytes / 4;
    nk_ = nk;
    nr_ = (nb_ >= nk_ ? nb_ : nk_) + 6;
    const int n = nb_ * (nr_ + 1);

    for (int i = 0; i < nk_; ++i) fkey_[i] = loadWord(reinterpret_cast<const uint8_t*>(password.data()) + 4 * i);
    int step = 0;
    for (int j = nk_; j < n; j += nk_, ++step) {
        fkey_[j] = fkey_[j - nk_] ^ subWord(t, rotl(fkey_[j - 1], 24)) ^ t.roundConstants[step];
        if (nk_ <= 6) {
            for (int i = 1; i < nk_ && i + j < n; ++i) fkey_[i + j] = fkey_[i + j - nk_] ^ fkey_[i + j - 1];
        } else {
            for (int i = 1; i < 4 && i + j < n; ++i) fkey_[i + j] = fkey_[i + j - nk_] ^ fkey_[i + j - 1];
            if (j + 4 < n) fkey_[j + 4] = fkey_[j + 4 - nk_] ^ subWord(t, fkey_[j + 3]);
            for (int i = 5; i < nk_ && i + j < n; ++i) fkey_[i + j] = fkey_[i + j - nk_] ^ fkey_[i + j - 1];
        }
    }

    // The equivalent inverse cipher consumes the round keys backwards, the
    // inner ones through InvMixColumn.
    for (int j = 0; j < nb_; ++j) {
        rkey_[n - nb_ + j] = fkey_[j];
        rkey_[j] = fkey_[n - nb_ + j];
    }
    for (int i = nb_; i < n - nb_; i += nb_) {
        for (int j = 0; j < nb_; ++j) rkey_[(n - nb_ - i) + j] = inverseMixColumn(t, fkey_[i + j]);
    }

    engine_ = Engine::Tables;
    useEngine(Engine::AesInstructions);
    useEngine(Engine::WideAesInstructions);
    return *this;
}

bool RijndaelCipher::engineAvailable(Engine engine) const
{
    static const bool aes = aes_instructions::available();
    static const bool wide = aes_instructions::wideAvailable();
    switch (engine) {
    case Engine::Tables:
        return true;
    case Engine::AesInstructions:
        return aes && (nb_ == 8 || nb_ == 4);
    case Engine::WideAesInstructions:
        return wide && nb_ == 8;
    }
    return false;
}

void RijndaelCipher::useEngine(Engine engine)
{
    if (engineAvailable(engine)) engine_ = engine;
}

void RijndaelCipher::encryptBlock(const uint8_t* in, uint8_t* out) const
{
    transformBlock<true>(nb_, fkey_, nr_, in, out);
}

void RijndaelCipher::decryptBlock(const uint8_t* in, uint8_t* out) const
{
    transformBlock<false>(nb_, rkey_, nr_, in, out);
}

void RijndaelCipher::processBlocks(uint8_t* data, size_t blocks, bool encrypt) const
{
    if (engine_ == Engine::WideAesInstructions) {
        encrypt ? aes_instructions::encrypt256Wide(fkey_, data, blocks)
                : aes_instructions::decrypt256Wide(rkey_, data, blocks);
        return;
    }
    if (engine_ == Engine::AesInstructions) {
        if (nb_ == 8) {
            encrypt ? aes_instructions::encrypt256(fkey_, data, blocks)
                    : aes_instructions::decrypt256(rkey_, data, blocks);
        } else {
            encrypt ? aes_instructions::encrypt128(fkey_, nr_, data, blocks)
                    : aes_instructions::decrypt128(rkey_, nr_, data, blocks);
        }
        return;
    }
    const size_t block = static_cast<size_t>(blockBytes());
    for (size_t i = 0; i < blocks; ++i) {
        uint8_t* p = data + i * block;
        encrypt ? encryptBlock(p, p) : decryptBlock(p, p);
    }
}

size_t RijndaelCipher::processBuffer(uint8_t* data, size_t length, Progress* progress, bool encrypt) const
{
    const size_t block = static_cast<size_t>(blockBytes());
    const size_t blocks = length / block;
    const size_t tail = length % block;
    if (progress) progress->start(length);

    // Reports are coalesced so the progress bar never costs more than the cipher.
    const size_t chunkBlocks = std::max<size_t>(1, (blocks + kMaxReports - 1) / kMaxReports);
    size_t done = 0;
    while (done < blocks) {
        const size_t count = std::min(chunkBlocks, blocks - done);
        processBlocks(data + done * block, count, encrypt);
        done += count;
        if (progress && !progress->advance(count * block)) return done * block;
    }
    if (tail) {
        processTail(data + length - tail, tail, length - tail);
        if (progress && !progress->advance(block)) return length;
    }
    return length;
}

// The tail is XORed with the first bytes of the enciphered offset of the
// tail, so it needs no block of its own and comes back exactly.
void RijndaelCipher::processTail(uint8_t* tail, size_t length, uint64_t offset) const
{
    uint8_t stream[32] = {};
    for (int i = 0; i < 8; ++i) stream[i] = static_cast<uint8_t>(offset >> (8 * i));
    encryptBlock(stream, stream);
    for (size_t i = 0; i < length; ++i) tail[i] ^= stream[i];
    secureWipe(stream, sizeof stream);
}

void RijndaelCipher::processPiece(uint8_t* data, size_t length, uint64_t offset, bool encrypt) const
{
    const size_t block = static_cast<size_t>(blockBytes());
    const size_t whole = length - length % block;
    processBlocks(data, whole / block, encrypt);
    if (whole < length) processTail(data + whole, length - whole, offset + whole);
}

void RijndaelCipher::encryptPiece(uint8_t* data, size_t length, uint64_t offset) const
{
    processPiece(data, length, offset, true);
}

void RijndaelCipher::decryptPiece(uint8_t* data, size_t length, uint64_t offset) const
{
    processPiece(data, length, offset, false);
}

size_t RijndaelCipher::encryptBuffer(uint8_t* data, size_t length, Progress* progress) const
{
    return processBuffer(data, length, progress, true);
}

size_t RijndaelCipher::decryptBuffer(uint8_t* data, size_t length, Progress* progress) const
{
    return processBuffer(data, length, progress, false);
}

}  // namespace tessaly
