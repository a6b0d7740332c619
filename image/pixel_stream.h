#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

// The pixel byte stream the cipher works on: 3·W·H bytes, rows from the top
// down, pixels left to right, each red, green, blue. The pictures themselves
// are kept as a 24-bit bitmap keeps its rows: bottom-up, blue-green-red,
// each row padded to a multiple of 4 bytes (see bitmap_format.h).

size_t pixelStreamBytes(uint32_t width, uint32_t height);

// `rows` holds the bitmap rows, `stream` pixelStreamBytes bytes.
void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, uint8_t* stream);
// Fills every row, its padding with zeros.
void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, uint8_t* rows);

}  // namespace tessaly
