#include "shell/pages.h"

namespace tessaly {

INT_PTR forwardCommand(HWND page, WPARAM wParam, LPARAM lParam)
{
    SendMessageA(GetParent(page), WM_COMMAND, wParam, lParam);
    return TRUE;
}

INT_PTR forwardNotify(HWND page, LPARAM lParam)
{
    LRESULT answer = SendMessageA(GetParent(page), WM_NOTIFY, reinterpret_cast<const NMHDR*>(lParam)->idFrom, lParam);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    return TRUE;
}

}  // namespace tessaly
