#pragma once

// Move-only owners for the Win32 handles the programs use, so that every
// handle is released on every path.

#include <windows.h>

#include <utility>

namespace tessaly {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid())
    {
        if (Traits::valid(handle_)) Traits::close(handle_);
        handle_ = handle;
    }
    // Closes now and reports whether closing succeeded (it can fail for files).
    bool close()
    {
        if (!Traits::valid(handle_)) return true;
        bool ok = Traits::close(std::exchange(handle_, Traits::invalid()));
        return ok;
    }

private:
    Handle handle_ = Traits::invalid();
};

struct KernelFileTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static bool close(HANDLE h) { return CloseHandle(h) != 0; }
};
using FileHandle = UniqueHandle<HANDLE, KernelFileTraits>;

struct KernelObjectTraits {
    static HANDLE invalid() { return nullptr; }
    static bool valid(HANDLE h) { return h != nullptr; }
    static bool close(HANDLE h) { return CloseHandle(h) != 0; }
};
using KernelHandle = UniqueHandle<HANDLE, KernelObjectTraits>;

template <typename Object>
struct GdiObjectTraits {
    static Object invalid() { return nullptr; }
    static bool valid(Object h) { return h != nullptr; }
    static bool close(Object h) { return DeleteObject(h) != 0; }
};
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using RegionHandle = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
    static HDC invalid() { return nullptr; }
    static bool valid(HDC h) { return h != nullptr; }
    static bool close(HDC h) { return DeleteDC(h) != 0; }
};
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

struct IconTraits {
    static HICON invalid() { return nullptr; }
    static bool valid(HICON h) { return h != nullptr; }
    static bool close(HICON h) { return DestroyIcon(h) != 0; }
};
using IconHandle = UniqueHandle<HICON, IconTraits>;

struct LibraryTraits {
    static HMODULE invalid() { return nullptr; }
    static bool valid(HMODULE h) { return h != nullptr; }
    static bool close(HMODULE h) { return FreeLibrary(h) != 0; }
};
using LibraryHandle = UniqueHandle<HMODULE, LibraryTraits>;

// A window's device context, released to its window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC get() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard()
    {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC around a drawing.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState()
    {
        if (state_) RestoreDC(dc_, state_);
    }

private:
    HDC dc_;
    int state_;
};

}  // namespace tessaly
