#include "platform/window_icons.h"

namespace tessaly {

namespace {

void setIcon(HWND window, int id, WPARAM which, int size)
{
    const auto icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_SHARED);
    SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

void setWindowIcons(HWND window, int largeId, int smallId)
{
    setIcon(window, largeId, ICON_BIG, GetSystemMetrics(SM_CXICON));
    setIcon(window, smallId, ICON_SMALL, GetSystemMetrics(SM_CXSMICON));
}

}  // namespace tessaly
