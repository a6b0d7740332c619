#include "controls/keyboard_shortcuts.h"

#include <algorithm>
#include <iterator>

#include "controls/masked_password_field.h"
#include "controls/shortcut_text.h"

namespace tessaly {

namespace {

thread_local KeyboardShortcuts* active = nullptr;

bool held(int key)
{
    return GetKeyState(key) < 0;
}

// Ctrl with C, V, X, A or Z belongs to the edit field that has the focus:
// copy, paste, cut, select all and undo of its own text; so does Del.
bool isEditingKey(const MSG& message)
{
    constexpr WORD kEditKeys[] = {'C', 'V', 'X', 'A', 'Z'};
    const bool editKey = std::find(std::begin(kEditKeys), std::end(kEditKeys), message.wParam) != std::end(kEditKeys);
    const bool editing = (editKey && held(VK_CONTROL)) || (message.wParam == VK_DELETE && !held(VK_CONTROL));
    return editing && !held(VK_MENU) && (SendMessageA(message.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL);
}

}  // namespace

KeyboardShortcuts::~KeyboardShortcuts()
{
    if (active == this) active = nullptr;
}

void KeyboardShortcuts::attach(HWND window, int tableId)
{
    window_ = window;
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(tableId));
    const int count = table ? CopyAcceleratorTableA(table, nullptr, 0) : 0;
    keys_.resize(static_cast<size_t>(count));
    if (count > 0) CopyAcceleratorTableA(table, keys_.data(), count);
    hook_.reset(SetWindowsHookExA(WH_GETMESSAGE, onMessage, nullptr, GetCurrentThreadId()));
    lastInput_ = GetTickCount64();
    active = this;
}

void KeyboardShortcuts::showInMenu(HMENU menu) const
{
    std::vector<UINT> shown;
    for (const ACCEL& key : keys_) {
        // The first key of a command is the one its item names.
        if (std::find(shown.begin(), shown.end(), key.cmd) != shown.end()) continue;
        shown.push_back(key.cmd);
        char text[256] = {};
        if (!GetMenuStringA(menu, key.cmd, text, sizeof text, MF_BYCOMMAND)) continue;
        const Shortcut shortcut{key.key, (key.fVirt & FCONTROL) != 0, (key.fVirt & FSHIFT) != 0,
                                (key.fVirt & FALT) != 0};
        const std::string named = withShortcut(text, shortcutText(shortcut));
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = const_cast<char*>(named.c_str());
        SetMenuItemInfoA(menu, key.cmd, FALSE, &item);
    }
}

bool KeyboardShortcuts::isForWindow(const MSG& message) const
{
    return message.hwnd == window_ || IsChild(window_, message.hwnd);
}

bool KeyboardShortcuts::take(const MSG& message) const
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (isEditingKey(message)) return false;
    // A password field's decoys are no shortcuts, even while Ctrl is held.
    if (static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kDecoyMarker) return false;
    if (!isForWindow(message)) return false;
    for (const ACCEL& key : keys_) {
        if (!(key.fVirt & FVIRTKEY) || key.key != message.wParam) continue;
        if (held(VK_CONTROL) != ((key.fVirt & FCONTROL) != 0) || held(VK_SHIFT) != ((key.fVirt & FSHIFT) != 0) ||
            held(VK_MENU) != ((key.fVirt & FALT) != 0)) {
            continue;
        }
        // 1 in the high word: a command from an accelerator.
        PostMessageA(window_, WM_COMMAND, MAKEWPARAM(key.cmd, 1), 0);
        return true;
    }
    return false;
}

// A dialog takes a plain character typed on a button or a box for the
// mnemonic of another: Add or Delete would run on a stray key.
bool KeyboardShortcuts::isStrayCharacter(const MSG& message) const
{
    if (message.message != WM_CHAR) return false;
    if (!isForWindow(message)) return false;
    return !(SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) &
             DLGC_WANTCHARS);
}

LRESULT CALLBACK KeyboardShortcuts::onMessage(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    const bool input = (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) ||
                       (message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST);
    if (code == HC_ACTION && wParam == PM_REMOVE && active && input &&
        static_cast<ULONG_PTR>(GetMessageExtraInfo()) != kDecoyMarker) {
        active->lastInput_ = GetTickCount64();
    }
    if (code == HC_ACTION && wParam == PM_REMOVE && active &&
        (active->take(*message) || active->isStrayCharacter(*message))) {
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tessaly
