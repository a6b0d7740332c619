#include "controls/dialog.h"

#include <utility>

#include "platform/capture_exclusion.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"

namespace tessaly {

// Only a top-level window can be kept out of captures; a page goes with its
// window.
void openWithLanguageTexts(HWND window, int templateId)
{
    applyTexts(window, templateId);
    if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) {
        applyCapturePolicy(window, captureAllowed(settingsTable()));
    }
}

void openOutOfCaptures(HWND window, int)
{
    applyCapturePolicy(window, false);
}

namespace {

// The object of the window being made on this thread: a window gets messages
// (WM_MEASUREITEM for its owner-drawn lists) before WM_INITDIALOG.
thread_local Dialog* dialogBeingMade = nullptr;

}  // namespace

Dialog* Dialog::of(HWND window)
{
    if (GetWindowLongPtrA(window, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&Dialog::procedure)) return nullptr;
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

INT_PTR CALLBACK Dialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog && dialogBeingMade) {
        dialog = std::exchange(dialogBeingMade, nullptr);
        dialog->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    }
    if (!dialog) return FALSE;
    if (message == WM_INITDIALOG) {
        dialog->initialised_ = true;
        dialog->opening_(window, dialog->templateId_);
        return dialog->onInitDialog();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        if (dialog->ownedByWindow_) delete dialog;
        return FALSE;
    }
    if (!dialog->initialised_ && message != WM_MEASUREITEM) return FALSE;
    return dialog->dispatch(message, wParam, lParam);
}

INT_PTR Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        onClose();
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == buttons_.ok) {
            onOk();
        } else if (id == IDCANCEL || id == buttons_.cancel) {
            onCancel();
        } else {
            onCommand(id, HIWORD(wParam));
        }
        return TRUE;
    }
    const std::optional<INT_PTR> handled = onMessage(message, wParam, lParam);
    return handled ? *handled : FALSE;
}

INT_PTR runModalDialog(HWND owner, int templateId, Dialog& dialog)
{
    dialog.templateId_ = templateId;
    dialogBeingMade = &dialog;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                           &Dialog::procedure, 0);
    dialogBeingMade = nullptr;
    return result;
}

HWND createModelessDialog(HWND owner, int templateId, Dialog& dialog)
{
    dialog.templateId_ = templateId;
    dialogBeingMade = &dialog;
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, &Dialog::procedure,
                                     0);
    dialogBeingMade = nullptr;
    return window;
}

HWND createOwnedDialog(HWND owner, int templateId, std::unique_ptr<Dialog> dialog)
{
    HWND window = createModelessDialog(owner, templateId, *dialog);
    // Taken over only once made: a window that ended while it was being made
    // has had its last message already.
    if (window) dialog.release()->ownedByWindow_ = true;
    return window;
}

}  // namespace tessaly
