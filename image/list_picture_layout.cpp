#include "image/list_picture_layout.h"

#include <climits>

#include "formats/bitmap_format.h"

namespace tessaly {

namespace {

struct Sizes {
    int64_t width, height, lineHeight, blockHeight;
};

Sizes sizesFor(int64_t entries, int64_t maxWidth, int64_t maxHeight)
{
    const int64_t lineHeight = maxHeight + 10;
    const int64_t blockHeight = 3 * lineHeight + 7;
    return {maxWidth + 10, entries * blockHeight - 7, lineHeight, blockHeight};
}

constexpr int64_t kLargestSide = INT_MAX;

// Counts and sizes so large that the arithmetic itself would overflow are
// too large as well.
bool representable(int64_t entries, int64_t maxWidth, int64_t maxHeight)
{
    return entries <= kLargestSide && maxWidth <= kLargestSide && maxHeight <= kLargestSide;
}

}  // namespace

uint64_t ListPictureLayout::pixelBytes() const
{
    return bitmapPixelBytes(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

bool listPictureTooLarge(int64_t entries, int64_t maxWidth, int64_t maxHeight)
{
    if (entries <= 0) return false;
    if (!representable(entries, maxWidth, maxHeight)) return true;
    const Sizes sizes = sizesFor(entries, maxWidth, maxHeight);
    if (sizes.width > kLargestSide || sizes.height > kLargestSide) return true;
    // No bitmap file could hold it: bitmapPixelBytes answers 0.
    return bitmapPixelBytes(static_cast<uint32_t>(sizes.width), static_cast<uint32_t>(sizes.height)) == 0;
}

std::optional<ListPictureLayout> listPictureLayout(int64_t entries, int64_t maxWidth, int64_t maxHeight)
{
    if (entries <= 0 || maxWidth < 0 || maxHeight < 0) return std::nullopt;
    if (listPictureTooLarge(entries, maxWidth, maxHeight)) return std::nullopt;
    const Sizes sizes = sizesFor(entries, maxWidth, maxHeight);
    ListPictureLayout layout;
    layout.entries = static_cast<int>(entries);
    layout.width = static_cast<int>(sizes.width);
    layout.height = static_cast<int>(sizes.height);
    layout.lineHeight = static_cast<int>(sizes.lineHeight);
    layout.blockHeight = static_cast<int>(sizes.blockHeight);
    return layout;
}

}  // namespace tessaly
