#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "platform/progress.h"

namespace tessaly {

// Thrown by setKey for a block length other than 16, 24 or 32 bytes. The
// message is in the system's ANSI code page.
class BlockLengthError : public std::invalid_argument {
public:
    BlockLengthError();
};

// Thrown by setKey for a password of fewer than 4 bytes: no key word, so no
// schedule exists.
class ShortKeyError : public std::invalid_argument {
public:
    ShortKeyError();
};

// Rijndael with 16, 24 or 32-byte blocks, keyed directly from a password of
// up to 35 bytes (its first 4·floor(L/4) bytes are the key). Blocks are
// processed independently; buffers in place.
class RijndaelCipher {
public:
    static constexpr size_t kMaxPasswordLength = 35;

    // How whole blocks are computed; all give the same bytes. The wide
    // engine (256-bit AES instructions) serves 32-byte blocks only.
    enum class Engine { Tables, AesInstructions, WideAesInstructions };

    RijndaelCipher() = default;
    RijndaelCipher(const RijndaelCipher&) = delete;
    RijndaelCipher& operator=(const RijndaelCipher&) = delete;
    ~RijndaelCipher();

    // Whether `password` gives at least one key word (4 bytes).
    static bool keyable(std::string_view password) { return password.size() >= 4; }

    // Builds the schedule; on an error nothing changes.
    RijndaelCipher& setKey(std::string_view password, int blockBytes);

    void encryptBlock(const uint8_t* in, uint8_t* out) const;
    void decryptBlock(const uint8_t* in, uint8_t* out) const;

    // Process `length` bytes in place and return how many were done: all of
    // them unless `progress` asked to stop. A tail shorter than a block is
    // XORed with a key stream (encryptBlock of its offset), so it comes back
    // exactly on decryption.
    size_t encryptBuffer(uint8_t* data, size_t length, Progress* progress = nullptr) const;
    size_t decryptBuffer(uint8_t* data, size_t length, Progress* progress = nullptr) const;

    // One piece of a longer stream, starting `offset` bytes into it (a
    // multiple of the block length): gives that piece the bytes a single
    // encryptBuffer (decryptBuffer) over the whole stream would. Only the
    // stream's last piece may end in a partial block.
    void encryptPiece(uint8_t* data, size_t length, uint64_t offset) const;
    void decryptPiece(uint8_t* data, size_t length, uint64_t offset) const;

    int blockBytes() const { return 4 * nb_; }
    int keyWords() const { return nk_; }
    int rounds() const { return nr_; }

    // Whether this processor and the current block length allow an engine.
    bool engineAvailable(Engine engine) const;
    // setKey picks the fastest available engine; tests and benchmarks may
    // choose another. An engine that is not available leaves the choice as
    // it was.
    Engine engine() const { return engine_; }
    void useEngine(Engine engine);

private:
    size_t processBuffer(uint8_t* data, size_t length, Progress* progress, bool encrypt) const;
    void processBlocks(uint8_t* data, size_t blocks, bool encrypt) const;
    void processTail(uint8_t* tail, size_t length, uint64_t offset) const;
    void processPiece(uint8_t* data, size_t length, uint64_t offset, bool encrypt) const;
    void wipe();

    int nk_ = 0;
    int nb_ = 0;
    int nr_ = 0;
    uint32_t fkey_[120] = {};
    uint32_t rkey_[120] = {};
    Engine engine_ = Engine::Tables;
};

}  // namespace tessaly
