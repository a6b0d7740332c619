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
    // A stock object: never deleted.
    HBRUSH whiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    HWND progressWindow = nullptr;
    std::string webBase = "https://www.velmora.example/";
};

MainWindowState& mainWindowState();

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Selects tab `index` and shows its page, as a click on the tab would.
void showPage(HWND mainWindow, int index);

// Shows a picture, or none, in the image page or the encrypted-image page:
// its picture control, a view reset to the top-left corner, drawn at once.
// The caller keeps the picture in its slot.
void showImageInPage(HWND page, HBITMAP image);

}  // namespace tessaly
