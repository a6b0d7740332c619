#include "controls/image_view.h"

#include <algorithm>

#include "formats/bitmap_file.h"
#include "controls/scroll_arithmetic.h"
#include "platform/win32_handles.h"

namespace tessaly {

namespace {

void layoutBar(HWND bar, int imageSize, int areaSize)
{
    const ScrollBarLayout layout = scrollBarLayout(imageSize, areaSize);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (layout.disabled ? SIF_DISABLENOSCROLL : 0);
    info.nMin = 0;
    info.nMax = layout.max;
    info.nPage = static_cast<UINT>(layout.page);
    info.nPos = 0;
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
    redrawNow(bar);
}

// Copies the picture from the view's offsets into `area` of `dc`.
void copyPicture(HDC dc, const RECT& area, HBITMAP image, const ImageViewState& view)
{
    if (!image) return;
    MemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    SelectGuard selected(source.get(), image);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), view.offsetX,
           view.offsetY, SRCCOPY);
}

// The same from rows of a 24-bit bottom-up picture of `width` by `height`.
void copyRows(HDC dc, const RECT& area, const uint8_t* rows, uint32_t width, uint32_t height,
              const ImageViewState& view)
{
    const int shownWidth = std::min<int>(area.right - area.left, static_cast<int>(width) - view.offsetX);
    const int shownHeight = std::min<int>(area.bottom - area.top, static_cast<int>(height) - view.offsetY);
    if (shownWidth <= 0 || shownHeight <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // A bottom-up picture's rows are counted from its bottom edge.
    const int bottomRow = static_cast<int>(height) - view.offsetY - shownHeight;
    SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(shownWidth), static_cast<DWORD>(shownHeight),
                      view.offsetX, bottomRow, 0, height, rows, &info, DIB_RGB_COLORS);
}

}  // namespace

POINT mouseIn(HWND picture)
{
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(picture, &mouse);
    return mouse;
}

void relayoutImageView(HWND host, HWND picture, HBITMAP image, ImageViewBars bars, ImageViewState& view)
{
    view.offsetX = view.offsetY = 0;
    RECT area{};
    GetClientRect(picture, &area);
    layoutBar(GetDlgItem(host, bars.horizontal), static_cast<int>(imageWidth(image)), area.right);
    layoutBar(GetDlgItem(host, bars.vertical), static_cast<int>(imageHeight(image)), area.bottom);
}

void scrollImageView(HWND host, HWND picture, HWND bar, WPARAM wParam, ImageViewBars bars, ImageViewState& view)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    // The thumb's own 32-bit position: the message's holds only 16 bits, and
    // a list picture may be far taller than 65,535 pixels.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    const int position = scrolledPosition({info.nMax, static_cast<int>(info.nPage), info.nPos}, LOWORD(wParam),
                                          info.nTrackPos);
    SetScrollPos(bar, SB_CTL, position, TRUE);
    (bar == GetDlgItem(host, bars.horizontal) ? view.offsetX : view.offsetY) = position;
    redrawNow(picture);
}

void drawImageView(const DRAWITEMSTRUCT& item, HBITMAP image, const ImageViewState& view, HBRUSH white)
{
    FillRect(item.hDC, &item.rcItem, white);
    copyPicture(item.hDC, item.rcItem, image, view);
}

HDC CanvasLayer::prepare(HDC screen, int width, int height)
{
    if (dc_ && width == width_ && height == height_) return dc_.get();
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
    MemoryDc dc(CreateCompatibleDC(screen));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen, width, height));
    if (!dc || !bitmap) return nullptr;
    SelectObject(dc.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    width_ = width;
    height_ = height;
    return dc_.get();
}

namespace {

// The cover's rows as shown at the view's offsets, on white, converted only
// when the rows, the offsets or the area's size changed.
HDC coverFromRows(HDC screen, const RECT& local, const uint8_t* rows, HBITMAP readable, const ImageViewState& view,
                  HBRUSH white, SpotlightCanvas& kept)
{
    HDC layer = kept.cover.prepare(screen, local.right, local.bottom);
    if (!layer) {
        kept.coverShown = {};
        return nullptr;
    }
    const SpotlightCanvas::CoverShown wanted{rows, view.offsetX, view.offsetY, local.right, local.bottom};
    if (kept.coverShown == wanted) return layer;
    FillRect(layer, &local, white);
    copyRows(layer, local, rows, imageWidth(readable), imageHeight(readable), view);
    kept.coverShown = wanted;
    return layer;
}

void drawCover(HDC canvas, HDC screen, const RECT& local, HBITMAP readable, const SpotlightCover& cover,
               const ImageViewState& view, HBRUSH white, SpotlightCanvas& kept)
{
    if (cover.rows) {
        if (HDC layer = coverFromRows(screen, local, cover.rows, readable, view, white, kept)) {
            BitBlt(canvas, 0, 0, local.right, local.bottom, layer, 0, 0, SRCCOPY);
        } else {
            copyRows(canvas, local, cover.rows, imageWidth(readable), imageHeight(readable), view);
        }
    } else if (cover.image) {
        copyPicture(canvas, local, cover.image, view);
    } else {
        const RECT covered{0, 0, std::min<LONG>(local.right, static_cast<LONG>(imageWidth(readable))),
                           std::min<LONG>(local.bottom, static_cast<LONG>(imageHeight(readable)))};
        BrushHandle fill(CreateSolidBrush(cover.fill));
        FillRect(canvas, &covered, fill.get());
    }
}

}  // namespace

void drawSpotlightView(const DRAWITEMSTRUCT& item, HBITMAP readable, const SpotlightCover& cover, POINT mouse,
                       const ImageViewState& view, HBRUSH white, SpotlightCanvas& kept)
{
    SavedDcState saved(item.hDC);
    const RECT& area = item.rcItem;
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC canvas = kept.canvas.prepare(item.hDC, width, height);
    if (!canvas) {
        FillRect(item.hDC, &area, white);
        return;
    }
    const RECT local{0, 0, width, height};
    FillRect(canvas, &local, white);

    if (readable) {
        if (view.spotlightOff) {
            copyPicture(canvas, local, readable, view);
        } else {
            drawCover(canvas, item.hDC, local, readable, cover, view, white, kept);
            const int r = view.spotlightRadius;
            RegionHandle disc(CreateEllipticRgn(mouse.x - r, mouse.y - r, mouse.x + r, mouse.y + r));
            RegionHandle clip(CreateRectRgn(0, 0, width, height));
            CombineRgn(disc.get(), disc.get(), clip.get(), RGN_AND);
            SelectClipRgn(canvas, disc.get());
            copyPicture(canvas, local, readable, view);
            SelectClipRgn(canvas, nullptr);
        }
    }
    BitBlt(item.hDC, area.left, area.top, width, height, canvas, 0, 0, SRCCOPY);
}

}  // namespace tessaly
