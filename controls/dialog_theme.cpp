#include "controls/dialog_theme.h"

#include "platform/win32_handles.h"

namespace tessaly {

void enableDialogTheme(HWND window, DWORD flags)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD version = GetVersion();
#pragma GCC diagnostic pop
    if ((version & 0xF000000F) != 5) return;
    LibraryHandle theme(LoadLibraryA("UxTheme.dll"));
    if (!theme) return;
    using EnableThemeDialogTexture = HRESULT(WINAPI*)(HWND, DWORD);
    auto enable = reinterpret_cast<EnableThemeDialogTexture>(
        reinterpret_cast<void*>(GetProcAddress(theme.get(), "EnableThemeDialogTexture")));
    if (enable) enable(window, flags);
}

}  // namespace tessaly
