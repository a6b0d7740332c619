#pragma once

#include <windows.h>

#include <memory>
#include <optional>

namespace tessaly {

// How a program opens every one of its windows: their texts and the capture
// policy. Written once here, so no window can forget to stay out of screen
// captures.
using DialogOpening = void (*)(HWND window, int templateId);

// Corvale's: the captions from the language table by the template's rows,
// and out of captures unless the settings allow them.
void openWithLanguageTexts(HWND window, int templateId);

// A program without settings (the viewer): always out of captures; the
// window sets its own texts.
void openOutOfCaptures(HWND window, int templateId);

// A window's own part, over one dialog procedure shared by every window of
// both programs. The procedure takes the object at WM_INITDIALOG, runs the
// opening, and routes each message to a named member: OK (its own id or
// IDOK, Enter) to onOk, Cancel (its own id, IDCANCEL, Escape) to onCancel,
// the close box to onClose, every other command to onCommand, anything else to
// onMessage (before WM_INITDIALOG, only WM_MEASUREITEM). The object outlives its window: a modal one lives on the stack
// of the function that runs it, a modeless one with whoever made it, or
// with the window itself (createOwnedDialog).
class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }

    // The object of a window this skeleton made; nullptr for any other
    // window and after the window's last message.
    static Dialog* of(HWND window);
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    struct Buttons {
        int ok = IDOK;
        int cancel = IDCANCEL;
    };
    explicit Dialog(Buttons buttons, DialogOpening opening = openWithLanguageTexts)
        : buttons_(buttons), opening_(opening)
    {
    }
    // After the opening. TRUE lets the system give the focus to the first
    // control; FALSE when the dialog has set the focus itself.
    virtual BOOL onInitDialog() { return TRUE; }
    virtual void onOk() {}
    virtual void onCancel() = 0;
    // The close box (and Alt+F4); Cancel unless the dialog tells them apart.
    virtual void onClose() { onCancel(); }
    virtual void onCommand(int /*id*/, int /*code*/) {}
    // Every other message; nothing when the dialog leaves it to the system.
    virtual std::optional<INT_PTR> onMessage(UINT /*message*/, WPARAM, LPARAM) { return std::nullopt; }

    // Ends a modal run; the caller of runModalDialog gets `result`.
    void end(INT_PTR result) { EndDialog(window_, result); }

private:
    friend INT_PTR runModalDialog(HWND owner, int templateId, Dialog& dialog);
    friend HWND createModelessDialog(HWND owner, int templateId, Dialog& dialog);
    friend HWND createOwnedDialog(HWND owner, int templateId, std::unique_ptr<Dialog> dialog);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    Buttons buttons_;
    DialogOpening opening_;
    int templateId_ = 0;
    HWND window_ = nullptr;
    bool initialised_ = false;
    // Deleted with the window's last message.
    bool ownedByWindow_ = false;
};

// Runs template `templateId` modally over `owner` with `dialog` as its own
// part; answers what the dialog ended with, or -1 when the window could not
// be made.
INT_PTR runModalDialog(HWND owner, int templateId, Dialog& dialog);

// Makes template `templateId` as a modeless window of `owner`; `dialog`
// must live until the window is destroyed. nullptr when it cannot be made.
HWND createModelessDialog(HWND owner, int templateId, Dialog& dialog);

// The same for a window that owns its object: it goes with the window's
// last message (or at once, when the window cannot be made).
HWND createOwnedDialog(HWND owner, int templateId, std::unique_ptr<Dialog> dialog);

// A dialog's ends, named by an enum class of its own whose values are the
// numbers the dialog ends with: the one place a dialog's end meets a number.
template <typename End>
[[nodiscard]] End endOf(INT_PTR result, End whenNotShown)
{
    return result == -1 ? whenNotShown : static_cast<End>(result);
}

}  // namespace tessaly
