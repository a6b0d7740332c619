#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

// The pixel byte stream the cipher works on: 3·W·H bytes, rows from the top
// down, pixels left to right, each red, green, blue. The pictures themselves
// are kept as a 24-bit bitmap keeps its rows: bottom-up, blue-green-red,
// each row padded to a multiple of 4 bytes (see bitmap_format.h).

size_t pixelStreamBytes(uint32_t width, uint32_t height);

// Rows `first` to `first + count - 1` of a picture, counted from the top:
// their part of the stream is pixelStreamBytes(width, count) bytes long.
struct RowBand {
    uint32_t first = 0;
    uint32_t count = 0;
};

// `rows` holds all the bitmap rows of a picture of `height` rows; `stream`
// the band's part of the stream.
void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, RowBand band, uint8_t* stream);
// Fills the band's rows, their padding with zeros.
void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, RowBand band, uint8_t* rows);

// The same for the whole picture.
void pixelStreamFromRows(const uint8_t* rows, uint32_t width, uint32_t height, uint8_t* stream);
void rowsFromPixelStream(const uint8_t* stream, uint32_t width, uint32_t height, uint8_t* rows);

// How many rows make a band whose part of the stream is a whole number of
// `blockBytes` blocks (a power of two) and about `targetBytes` long: at
// least the fewest rows that end on a block boundary.
uint32_t rowsPerBand(uint32_t width, size_t blockBytes, size_t targetBytes);

}  // namespace tessaly
