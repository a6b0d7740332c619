#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace tessaly {

constexpr int kCorvaleExitCode = 153;
constexpr int kPageCount = 3;

// The main window's state, shared with the pages, dialogs and workers that
// the main window starts.
struct MainWindowState {
    HWND window = nullptr;
    std::array<HWND, kPageCount> pages{};  // list, image, encrypted image: by tab index
    HWND currentPage = nullptr;
    HBITMAP plainImage = nullptr;
    HBITMAP encryptedImage = nullptr;
    bool imageOutOfDate = false;
    HBRUSH whiteBrush = nullptr;
    HWND progressWindow = nullptr;
    std::string webBase = "https://www.velmora.example/";
};

MainWindowState& mainWindowState();

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Selects tab `index` and shows its page, as a click on the tab would.
void showPage(HWND mainWindow, int index);

}  // namespace tessaly
