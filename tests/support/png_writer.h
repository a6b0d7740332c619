#pragma once

#include <cstdint>
#include <string>

namespace tessaly::testing {

// A PNG file (8-bit RGB, stored deflate blocks) of `width` x `height` pixels
// from top-down rows of red, green, blue bytes.
std::string encodePng(uint32_t width, uint32_t height, const std::string& rgbRows);

uint32_t crc32(const std::string& bytes);
uint32_t adler32(const std::string& bytes);

}  // namespace tessaly::testing
