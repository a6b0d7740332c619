#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace tessaly::bench {

// The buffer every cipher measurement runs over: 64 MiB of random bytes.
inline std::vector<uint8_t> benchmarkBuffer()
{
    std::vector<uint8_t> buffer(64u << 20);
    std::mt19937 random(42);
    for (auto& b : buffer) b = static_cast<uint8_t>(random());
    return buffer;
}

// An eight-word key, as the 32-byte blocks of the programs use.
inline const char* benchmarkPassword()
{
    return "a password of thirty-five bytes!!xx";
}

}  // namespace tessaly::bench
