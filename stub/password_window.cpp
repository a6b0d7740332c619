#include "stub/password_window.h"

#include <memory>

#include "platform/win32_handles.h"
#include "platform/window_state.h"
#include "resources/peekstub_ids.h"
#include "shell/masked_password_field.h"

namespace tessaly {

namespace {

constexpr int kMinPasswordLength = 6;

struct PasswordWindowState {
    MaskedPasswordField password;
};

void setIcon(HWND window, int id, WPARAM which, int size)
{
    // The window keeps its own copy of the icon, so the loaded one goes at once.
    IconHandle icon(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
    SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
}

void setTextFromString(HWND window, int controlId, int stringId)
{
    char text[4096] = {};
    LoadStringA(GetModuleHandleA(nullptr), stringId, text, sizeof text);
    SetDlgItemTextA(window, controlId, text);
}

BOOL onInitDialog(HWND window)
{
    // The stub never changes the mask: the field keeps the template's mask
    // and font, and only the decoys act.
    auto* state = attachWindowState(window, std::make_unique<PasswordWindowState>());
    state->password.attach(GetDlgItem(window, IDC_STUB_PASSWORD));
    setIcon(window, IDI_STUB_LARGE, ICON_BIG, GetSystemMetrics(SM_CXICON));
    setIcon(window, IDI_STUB_SMALL, ICON_SMALL, GetSystemMetrics(SM_CXSMICON));
    setTextFromString(window, IDC_STUB_PROMPT, IDS_PROMPT);
    setTextFromString(window, IDC_STUB_OK, IDS_OK);
    setTextFromString(window, IDC_STUB_CANCEL, IDS_CANCEL);
    setTextFromString(window, IDC_STUB_WAIT, IDS_WAIT);
    return TRUE;
}

void onPasswordChanged(HWND window)
{
    char text[256] = {};
    int length = GetDlgItemTextA(window, IDC_STUB_PASSWORD, text, sizeof text);
    SecureZeroMemory(text, sizeof text);
    EnableWindow(GetDlgItem(window, IDC_STUB_OK), length >= kMinPasswordLength);
}

void onCommand(HWND window, int id, int code)
{
    if (id == IDC_STUB_PASSWORD && code == EN_CHANGE) onPasswordChanged(window);
    if (id == IDC_STUB_CANCEL || id == IDCANCEL) EndDialog(window, kStubWindowResult);
}

}  // namespace

INT_PTR CALLBACK passwordWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(window);
    case WM_NCDESTROY:
        destroyWindowState<PasswordWindowState>(window);
        return FALSE;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, kStubWindowResult);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace tessaly
