#pragma once

#include <windows.h>

#include "platform/window_state.h"

namespace tessaly {

// What a dialog ends with when the user closed it (Cancel, Escape or the
// close box) before its work was done. Corvale's exit code is the same.
constexpr INT_PTR kDialogClosed = 153;

// Runs the program's dialog template `templateId` modally over `owner`.
// `state` lives on the caller's stack for the whole run, so the caller reads
// the dialog's results from it afterwards; the procedure takes it at
// WM_INITDIALOG with lendWindowState and reaches it with windowState.
template <typename State>
INT_PTR runModalDialog(HWND owner, int templateId, DLGPROC procedure, State& state)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure,
                           reinterpret_cast<LPARAM>(&state));
}

// A dialog that makes and owns its state itself (attachWindowState).
inline INT_PTR runModalDialog(HWND owner, int templateId, DLGPROC procedure)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

}  // namespace tessaly
