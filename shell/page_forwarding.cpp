#include "shell/pages.h"

namespace tessaly {

void forwardCommand(HWND page, int id, int code)
{
    SendMessageA(GetParent(page), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

INT_PTR forwardNotify(HWND page, LPARAM lParam)
{
    LRESULT answer = SendMessageA(GetParent(page), WM_NOTIFY, reinterpret_cast<const NMHDR*>(lParam)->idFrom, lParam);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    return TRUE;
}

}  // namespace tessaly
