#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32_handles.h"

namespace tessaly {

// A window's accelerator table, applied to the keys typed into the window
// and its children whatever message loop the thread runs: a modal dialog's
// own loop has no place for TranslateAccelerator, so a message hook looks at
// each key first. The command is posted, so it runs from the window's own
// loop rather than inside the hook. One window a thread at a time. The hook
// also notes when the thread last had keyboard or mouse input, for whatever
// window of it, decoys aside, and keeps a letter typed without Alt from
// pressing a button of the window as a mnemonic: only a control that takes
// characters (an edit field, the list) gets them.
class KeyboardShortcuts {
public:
    KeyboardShortcuts() = default;
    KeyboardShortcuts(const KeyboardShortcuts&) = delete;
    KeyboardShortcuts& operator=(const KeyboardShortcuts&) = delete;
    ~KeyboardShortcuts();

    // The program's accelerator table `tableId` for `window`.
    void attach(HWND window, int tableId);
    // Every item of `menu` whose command has a key shows the key after a
    // tab, in place of whatever followed its tab: the table is the one
    // source of both.
    void showInMenu(HMENU menu) const;
    // GetTickCount64 at the last input, which counts time asleep too.
    unsigned long long lastInputTick() const { return lastInput_; }

private:
    static LRESULT CALLBACK onMessage(int code, WPARAM wParam, LPARAM lParam);
    // The window's, or a control's in it.
    bool isForWindow(const MSG& message) const;
    bool take(const MSG& message) const;
    bool isStrayCharacter(const MSG& message) const;

    HWND window_ = nullptr;
    std::vector<ACCEL> keys_;
    HookHandle hook_;
    unsigned long long lastInput_ = 0;
};

}  // namespace tessaly
