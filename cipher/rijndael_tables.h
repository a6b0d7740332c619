#pragma once

#include <cstdint>

namespace tessaly {

// The Rijndael tables, derived from GF(2^8) with the polynomial 0x11B.
// Words pack four bytes little-endian, byte 0 (row 0) in the low byte.
struct RijndaelTables {
    uint8_t power[256];  // 3^i
    uint8_t log[256];    // log[3^i] = i
    uint8_t sbox[256];
    uint8_t inverseSbox[256];
    uint32_t forward[256];        // (02·S, S, S, 03·S) for S = sbox[i]
    uint32_t inverse[256];        // (0E·S, 09·S, 0D·S, 0B·S) for S = inverseSbox[i]
    uint8_t roundConstants[120];  // x^k
};

// Built once per process on first use; safe to call from any thread.
const RijndaelTables& rijndaelTables();

// Product in GF(2^8).
uint8_t gfMultiply(const RijndaelTables& tables, uint8_t a, uint8_t b);

}  // namespace tessaly
