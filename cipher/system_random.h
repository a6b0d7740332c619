#pragma once

#include <cstddef>

namespace tessaly {

// Fills `bytes` with random bytes from the operating system's generator
// (CNG's BCryptGenRandom). bcrypt.dll is loaded at run time from the system
// folder only: it is not among the libraries Windows always takes from
// there, and a program may run from a folder anyone can write to. False
// when the generator cannot be had; the bytes are then not to be used.
bool systemRandomBytes(void* bytes, size_t count);

}  // namespace tessaly
