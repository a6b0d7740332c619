#include "controls/masked_password_field.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace tessaly {

namespace {

// Drops this thread's decoy key messages as they are taken from the queue,
// whichever window has the focus by then.
LRESULT CALLBACK decoyFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
            static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kDecoyMarker) {
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void installDecoyFilter()
{
    // One filter per thread, for the program's whole run.
    thread_local HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, decoyFilter, nullptr, GetCurrentThreadId());
    (void)hook;
}

FontHandle fontWithFace(HFONT base, const char* face)
{
    LOGFONTA description{};
    if (!base || !GetObjectA(base, sizeof description, &description)) {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    }
    lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    if (std::strcmp(face, "Symbol") == 0) description.lfCharSet = SYMBOL_CHARSET;
    return FontHandle(CreateFontIndirectA(&description));
}

INPUT keyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = kDecoyMarker;
    return input;
}

}  // namespace

MaskedPasswordField::MaskedPasswordField() : random_(std::random_device{}()) {}

MaskedPasswordField::~MaskedPasswordField()
{
    detach();
}

void MaskedPasswordField::attach(HWND edit, int maxLength)
{
    detach();
    control_ = edit;
    SendMessageA(edit, EM_LIMITTEXT, maxLength, 0);
    SetWindowSubclass(edit, procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    maskFont_ = fontWithFace(font, "Symbol");
    plainFont_ = fontWithFace(font, "MS Sans Serif");
    installDecoyFilter();
}

void MaskedPasswordField::detach()
{
    if (control_) RemoveWindowSubclass(control_, procedure, reinterpret_cast<UINT_PTR>(this));
    control_ = nullptr;
}

LRESULT CALLBACK MaskedPasswordField::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self)
{
    auto* field = reinterpret_cast<MaskedPasswordField*>(self);
    switch (message) {
    case WM_CHAR:
        return field->onChar(message, wParam, lParam);
    case EM_SETPASSWORDCHAR:
        return field->onSetPasswordChar(message, wParam, lParam);
    case WM_NCDESTROY:
        field->detach();
        return DefSubclassProc(window, message, wParam, lParam);
    default:
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT MaskedPasswordField::onChar(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT answer = DefSubclassProc(control_, message, wParam, lParam);
    // A character beyond the first 65,536 (an emoji) comes as two halves,
    // one keystroke: its decoys follow the second.
    if (!IS_HIGH_SURROGATE(static_cast<WCHAR>(wParam))) injectDecoys();
    return answer;
}

LRESULT MaskedPasswordField::onSetPasswordChar(UINT message, WPARAM wParam, LPARAM lParam)
{
    SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(wParam ? maskFont_.get() : plainFont_.get()), TRUE);
    return DefSubclassProc(control_, message, wParam, lParam);
}

void MaskedPasswordField::injectDecoys()
{
    // The decoys are plain letters: Ctrl and Alt count as up while they are
    // injected.
    BYTE saved[256], plain[256];
    GetKeyboardState(saved);
    std::memcpy(plain, saved, sizeof plain);
    for (int key : {VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU}) plain[key] = 0;
    SetKeyboardState(plain);

    const int count = static_cast<int>(random_() % 5) + 1;
    std::vector<INPUT> inputs;
    for (int i = 0; i < count; ++i) {
        const WORD key = static_cast<WORD>('A' + random_() % 25);  // "A" to "Y"
        inputs.push_back(keyInput(key, false));
        inputs.push_back(keyInput(key, true));
    }
    decoysInjected_ += SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) / 2;
    SetKeyboardState(saved);
}

}  // namespace tessaly
