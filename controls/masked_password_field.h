#pragma once

#include <windows.h>

#include <random>

#include "platform/win32_handles.h"

namespace tessaly {

// Extra information carried by every decoy keystroke, so that the program
// can tell its decoys from what the user types.
constexpr ULONG_PTR kDecoyMarker = 0x54535944;

// An edit control for a password: at most 35 characters (or a longer
// passphrase where the field asks for one), bullets in the
// "Symbol" font while masked, and one to five decoy keystrokes injected into
// the system's input after every key typed into it. The decoys travel through
// the input like real keys, so a keystroke recorder sees them; the program
// itself drops them before any window of its thread handles them, so the
// field holds exactly what was typed and no other control gets a decoy.
class MaskedPasswordField {
public:
    static constexpr int kMaxLength = 35;
    static constexpr int kMaxPassphraseLength = 254;
    static constexpr WPARAM kMaskCharacter = 183;

    MaskedPasswordField();
    MaskedPasswordField(const MaskedPasswordField&) = delete;
    MaskedPasswordField& operator=(const MaskedPasswordField&) = delete;
    ~MaskedPasswordField();

    void attach(HWND edit, int maxLength = kMaxLength);
    HWND control() const { return control_; }
    // How many decoys the field has injected so far.
    unsigned long decoysInjected() const { return decoysInjected_; }

private:
    // The subclass keeps the object in its reference data.
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    LRESULT onChar(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onSetPasswordChar(UINT message, WPARAM wParam, LPARAM lParam);
    void injectDecoys();
    void detach();

    HWND control_ = nullptr;
    FontHandle maskFont_;
    FontHandle plainFont_;
    std::mt19937 random_;
    unsigned long decoysInjected_ = 0;
};

}  // namespace tessaly
