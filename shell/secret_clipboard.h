#pragma once

#include <windows.h>

#include <string>

namespace tessaly {

// One secret at a time on the clipboard: marked so that the system's
// clipboard history and cloud clipboard do not keep it, and emptied again
// on request only while it is still what this program put there.
class SecretClipboard {
public:
    SecretClipboard() = default;
    SecretClipboard(const SecretClipboard&) = delete;
    SecretClipboard& operator=(const SecretClipboard&) = delete;

    // Puts `text` (ANSI code page) on the clipboard; false when the
    // clipboard could not be had.
    bool copy(HWND owner, const std::string& text);
    // Wipes and empties the clipboard if no other program has changed it
    // since the last copy. False when another program holds the clipboard
    // open: the copy may still be there, and the caller tries again.
    bool clearIfOurs(HWND owner);
    // The same, trying again for up to `patienceMs` while the clipboard is
    // held: for the program's end and the lock, when there is no later.
    static constexpr DWORD kPatienceMs = 2000;
    void clearIfOursWithin(HWND owner, DWORD patienceMs = kPatienceMs);

private:
    DWORD sequence_ = 0;
    bool holding_ = false;
};

}  // namespace tessaly
