#pragma once

#include <windows.h>

namespace tessaly {

constexpr int kStubWindowResult = 51;
constexpr int kPeekstubExitCode = 39;

INT_PTR CALLBACK passwordWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessaly
