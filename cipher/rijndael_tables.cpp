#include "cipher/rijndael_tables.h"

namespace tessaly {

namespace {

uint8_t xtime(uint8_t a)
{
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0x00));
}

uint8_t rotateByteLeft(uint8_t a, int n)
{
    return static_cast<uint8_t>((a << n) | (a >> (8 - n)));
}

uint32_t pack(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3)
{
    return uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 | uint32_t(b3) << 24;
}

RijndaelTables buildTables()
{
    RijndaelTables t{};
    uint8_t e = 1;
    for (int i = 0; i < 256; ++i) {
        t.power[i] = e;
        e = static_cast<uint8_t>(e ^ xtime(e));
    }
    // power[255] wraps to 1; log[1] must stay 0.
    for (int i = 0; i < 255; ++i) t.log[t.power[i]] = static_cast<uint8_t>(i);
    t.log[0] = 0;

    for (int x = 0; x < 256; ++x) {
        uint8_t y = x ? t.power[(255 - t.log[x]) % 255] : 0;
        uint8_t s = static_cast<uint8_t>(y ^ rotateByteLeft(y, 1) ^ rotateByteLeft(y, 2) ^ rotateByteLeft(y, 3) ^
                                         rotateByteLeft(y, 4) ^ 0x63);
        t.sbox[x] = s;
        t.inverseSbox[s] = static_cast<uint8_t>(x);
    }
    for (int i = 0; i < 256; ++i) {
        uint8_t s = t.sbox[i];
        t.forward[i] = pack(xtime(s), s, s, static_cast<uint8_t>(xtime(s) ^ s));
        uint8_t v = t.inverseSbox[i];
        t.inverse[i] = pack(gfMultiply(t, 0x0E, v), gfMultiply(t, 0x09, v), gfMultiply(t, 0x0D, v),
                            gfMultiply(t, 0x0B, v));
    }
    uint8_t rc = 1;
    for (auto& constant : t.roundConstants) {
        constant = rc;
        rc = xtime(rc);
    }
    return t;
}

}  // namespace

uint8_t gfMultiply(const RijndaelTables& tables, uint8_t a, uint8_t b)
{
    if (!a || !b) return 0;
    return tables.power[(tables.log[a] + tables.log[b]) % 255];
}

const RijndaelTables& rijndaelTables()
{
    static const RijndaelTables tables = buildTables();
    return tables;
}

}  // namespace tessaly
