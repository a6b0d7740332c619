#pragma once

#include <cstddef>
#include <cstdint>

// Whole blocks through the processor's AES instructions. The key schedules
// are the table engine's (Nb·(Nr+1) words, little-endian columns), so both
// engines give the same bytes.
namespace tessaly::aes_instructions {

bool available();
// The 256-bit forms of the instructions (VAES with AVX2), which take a whole
// 32-byte block in one register.
bool wideAvailable();

// 32-byte blocks: two AES rounds on the two halves per Rijndael round, with
// the bytes rearranged first so that AES's row shifts give offsets 1, 3, 4.
void encrypt256(const uint32_t* fkey, uint8_t* data, size_t blocks);
void decrypt256(const uint32_t* rkey, uint8_t* data, size_t blocks);
void encrypt256Wide(const uint32_t* fkey, uint8_t* data, size_t blocks);
void decrypt256Wide(const uint32_t* rkey, uint8_t* data, size_t blocks);

// 16-byte blocks: plain AES rounds, for any key length.
void encrypt128(const uint32_t* fkey, int rounds, uint8_t* data, size_t blocks);
void decrypt128(const uint32_t* rkey, int rounds, uint8_t* data, size_t blocks);

}  // namespace tessaly::aes_instructions
