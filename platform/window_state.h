#pragma once

#include <windows.h>

#include <memory>

namespace tessaly {

// A window's own state object: made when the window initialises, kept in
// the window's user-data slot, deleted when the window is destroyed. So a
// window's state lives exactly as long as the window, and two windows of one
// kind never share it.
template <typename State>
State* attachWindowState(HWND window, std::unique_ptr<State> state)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.get()));
    return state.release();
}

// nullptr before the window initialised and after it was destroyed.
template <typename State>
State* windowState(HWND window)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// For WM_NCDESTROY, the last message a window gets.
template <typename State>
void destroyWindowState(HWND window)
{
    std::unique_ptr<State> owned(windowState<State>(window));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

// For a window procedure, past WM_INITDIALOG: deletes the state at the
// window's last message, and answers true when there is no state to handle
// `message` with (before initialisation, at and after destruction).
template <typename State>
bool withoutWindowState(HWND window, UINT message)
{
    if (message == WM_NCDESTROY) destroyWindowState<State>(window);
    return message == WM_NCDESTROY || !windowState<State>(window);
}

}  // namespace tessaly
