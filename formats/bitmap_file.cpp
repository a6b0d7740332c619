#include "formats/bitmap_file.h"

#include <new>
#include <string_view>

#include "formats/bitmap_format.h"
#include "platform/file_io.h"
#include "platform/win32_handles.h"

namespace tessaly {

namespace {

BITMAPINFO rowsFormat(uint32_t width, uint32_t height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = static_cast<LONG>(height);  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool bitmapSize(HBITMAP image, uint32_t& width, uint32_t& height)
{
    BITMAP description{};
    if (!image || !GetObjectA(image, sizeof description, &description)) return false;
    width = static_cast<uint32_t>(description.bmWidth);
    height = static_cast<uint32_t>(description.bmHeight < 0 ? -description.bmHeight : description.bmHeight);
    return true;
}

// Copies any bitmap's pixels into 24-bit rows, converting exactly.
bool readRows(HBITMAP image, uint32_t width, uint32_t height, uint8_t* rows)
{
    WindowDc screen(nullptr);
    BITMAPINFO info = rowsFormat(width, height);
    return GetDIBits(screen.get(), image, 0, height, rows, &info, DIB_RGB_COLORS) == static_cast<int>(height);
}

}  // namespace

HBITMAP createImage(uint32_t width, uint32_t height, ImageRows* rows)
{
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX || bitmapPixelBytes(width, height) == 0) {
        return nullptr;
    }
    BITMAPINFO info = rowsFormat(width, height);
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!image) return nullptr;
    if (rows) *rows = {static_cast<uint8_t*>(bits), width, height};
    return image;
}

bool imageRows(HBITMAP image, ImageRows& rows)
{
    DIBSECTION section{};
    if (!image || GetObjectA(image, sizeof section, &section) != sizeof section) return false;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != 24 || header.biHeight <= 0 || !section.dsBm.bmBits) return false;
    rows = {static_cast<uint8_t*>(section.dsBm.bmBits), static_cast<uint32_t>(header.biWidth),
            static_cast<uint32_t>(header.biHeight)};
    return true;
}

uint32_t imageWidth(HBITMAP image)
{
    uint32_t width = 0, height = 0;
    bitmapSize(image, width, height);
    return width;
}

uint32_t imageHeight(HBITMAP image)
{
    uint32_t width = 0, height = 0;
    bitmapSize(image, width, height);
    return height;
}

bool writeBitmapFile(HBITMAP image, const std::string& path)
{
    uint32_t width = 0, height = 0;
    if (!bitmapSize(image, width, height)) return false;
    const uint64_t pixelBytes = bitmapPixelBytes(width, height);
    if (pixelBytes == 0) return false;
    const auto header = bitmapFileHeader(width, height);
    const std::string_view headerBytes(reinterpret_cast<const char*>(header.data()), header.size());
    // The program's own pictures already hold the file's rows; others are
    // converted into a buffer first.
    ImageRows own;
    if (imageRows(image, own)) {
        const std::string_view rows(reinterpret_cast<const char*>(own.rows), pixelBytes);
        return writeFileReplacing(path, {headerBytes, rows});
    }
    std::string rows;
    try {
        rows.resize(pixelBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!readRows(image, width, height, reinterpret_cast<uint8_t*>(&rows[0]))) return false;
    return writeFileReplacing(path, {headerBytes, rows});
}

namespace {

// The platform's loader for the depths it converts exactly; it would accept
// a file cut short and make up the rest, so the file was checked first.
HBITMAP loadWithPlatform(const std::string& path, BitmapLoadStatus& status)
{
    BitmapHandle loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    uint32_t width = 0, height = 0;
    if (!loaded || !bitmapSize(loaded.get(), width, height)) return nullptr;
    ImageRows rows;
    BitmapHandle image(createImage(width, height, &rows));
    if (!image) status = BitmapLoadStatus::TooLarge;
    if (!image || !readRows(loaded.get(), width, height, rows.rows)) return nullptr;
    return image.release();
}

HBITMAP loadTrueColor(std::string_view file, const BitmapFileLayout& layout, BitmapLoadStatus& status)
{
    ImageRows rows;
    BitmapHandle image(createImage(layout.width, layout.height, &rows));
    if (!image) {
        status = BitmapLoadStatus::TooLarge;
        return nullptr;
    }
    readTrueColorRows(file, layout, rows.rows);
    return image.release();
}

}  // namespace

HBITMAP loadBitmapFile(const std::string& path, BitmapLoadStatus* status)
{
    BitmapLoadStatus answer = BitmapLoadStatus::NotAnImage;
    HBITMAP image = nullptr;
    std::string file;
    if (readWholeFile(path, file)) {
        const BitmapFileLayout layout = inspectBitmapFile(file);
        if (layout.kind == BitmapFileKind::TooLarge) answer = BitmapLoadStatus::TooLarge;
        if (layout.kind == BitmapFileKind::TrueColor) image = loadTrueColor(file, layout, answer);
        if (layout.kind == BitmapFileKind::OtherDepth) image = loadWithPlatform(path, answer);
    }
    if (image) answer = BitmapLoadStatus::Loaded;
    if (status) *status = answer;
    return image;
}

}  // namespace tessaly
