#pragma once

// Move-only owners for the Win32 handles the programs use, so that every
// handle is released on every path.

#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace tessaly {

// Owns one handle and closes it with `closeFunction`. A null handle holds
// nothing, and so does `empty` where the API has a second such value.
template <typename Handle, auto closeFunction, std::intptr_t empty = 0>
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
    explicit operator bool() const { return valid(handle_); }
    Handle release() { return std::exchange(handle_, none()); }
    void reset(Handle handle = none())
    {
        if (valid(handle_)) closeFunction(handle_);
        handle_ = handle;
    }
    // Closes now and reports whether closing succeeded (it can fail for files).
    [[nodiscard]] bool close()
    {
        const Handle handle = std::exchange(handle_, none());
        if (!valid(handle)) return true;
        if constexpr (std::is_same_v<decltype(closeFunction(handle)), BOOL>) {
            return closeFunction(handle) != 0;
        } else {
            closeFunction(handle);
            return true;
        }
    }

private:
    static Handle none() { return reinterpret_cast<Handle>(empty); }
    static bool valid(Handle handle) { return handle != nullptr && handle != none(); }

    Handle handle_ = none();
};

// INVALID_HANDLE_VALUE: what CreateFile answers on failure.
using FileHandle = UniqueHandle<HANDLE, CloseHandle, -1>;
using FindHandle = UniqueHandle<HANDLE, FindClose, -1>;
using KernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteObject>;
using FontHandle = UniqueHandle<HFONT, DeleteObject>;
using BitmapHandle = UniqueHandle<HBITMAP, DeleteObject>;
using RegionHandle = UniqueHandle<HRGN, DeleteObject>;
using MemoryDc = UniqueHandle<HDC, DeleteDC>;
using IconHandle = UniqueHandle<HICON, DestroyIcon>;
using LibraryHandle = UniqueHandle<HMODULE, FreeLibrary>;
using HookHandle = UniqueHandle<HHOOK, UnhookWindowsHookEx>;
// Global memory until something (the clipboard) takes it over with release().
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalFree>;

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
