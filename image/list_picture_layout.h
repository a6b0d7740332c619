#pragma once

#include <cstdint>
#include <optional>

namespace tessaly {

// Where the list picture puts its entries: three text lines per entry, each
// line box 10 pixels taller than the tallest text, a 2-pixel separator under
// every entry but the last, 5 pixels of margin around the text.
struct ListPictureLayout {
    // Pixels between the picture's left edge (and its right edge, for the
    // separator) and the text; also above an entry's first line.
    static constexpr int kMargin = 5;
    static constexpr int kSeparatorHeight = 2;

    int entries = 0;
    int width = 0;
    int height = 0;
    int lineHeight = 0;
    // Rows from one entry's top to the next one's; also a background tile's
    // height.
    int blockHeight = 0;

    // Top row of the block of entry `entry`; a background tile is copied there.
    int blockTop(int entry) const { return entry * blockHeight; }
    // Top row of line 0, 1 or 2 (description, user, password) of an entry.
    int lineTop(int entry, int line) const { return blockTop(entry) + kMargin + line * lineHeight; }
    // The separator under an entry: kSeparatorHeight rows from separatorTop,
    // columns kMargin to width - kMargin - 1.
    int separatorTop(int entry) const { return lineTop(entry, 3) - 1; }
    int separatorLeft() const { return kMargin; }
    int separatorRight() const { return width - kMargin; }
    bool hasSeparator(int entry) const { return entry + 1 < entries; }
    uint64_t pixelBytes() const;
};

// The layout for `entries` entries whose widest line is `maxWidth` and whose
// tallest is `maxHeight` pixels. Nothing for an empty list, or for a picture
// whose size cannot be expressed: wider or taller than 2^31 - 1 pixels, or
// more than a bitmap file can hold (its size field has 32 bits).
std::optional<ListPictureLayout> listPictureLayout(int64_t entries, int64_t maxWidth, int64_t maxHeight);

// Why listPictureLayout gave nothing.
bool listPictureTooLarge(int64_t entries, int64_t maxWidth, int64_t maxHeight);

}  // namespace tessaly
