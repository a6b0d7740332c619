#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace tessaly {

// Overwrites memory that held key material or passwords with zeros. The
// empty asm statement claims to read the memory, so the compiler cannot drop
// the stores as dead, yet the buffer does not have to live in memory before.
inline void secureWipe(void* data, size_t length)
{
    std::memset(data, 0, length);
    __asm__ __volatile__("" : : "r"(data) : "memory");
}

// Wipes a string's characters, then empties it.
inline void wipeString(std::string& text)
{
    if (!text.empty()) secureWipe(&text[0], text.size());
    text.clear();
}

}  // namespace tessaly
