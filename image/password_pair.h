#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32_handles.h"
#include "shell/masked_password_field.h"

namespace tessaly {

// What the main window hands to the Encrypt and Decrypt dialogs.
struct CipherDialogSetup {
    // The picture to transform; the main window keeps it while the dialog runs.
    HBITMAP source = nullptr;
    // Takes the result into its slot; called on the window's thread.
    std::function<void(BitmapHandle)> publish;
    // Holds the progress window while it runs.
    HWND* progressWindow = nullptr;
    // The strength meter's background.
    HBRUSH white = nullptr;
    // How a self-extracting file's viewer starts its spotlight.
    int spotlightRadius = 20;
    bool spotlightOn = true;
};

// The two masked password fields of the Encrypt and Decrypt dialogs: the
// password (1036) and its repetition (1037).
class PasswordPair {
public:
    void attach(HWND dialog);
    // At least 6 bytes, typed the same twice. The copies read are wiped.
    bool accepted() const;
    // The password as typed; the caller wipes it (wipeString).
    std::string password() const;
    // Empties both fields, so the password does not outlive the dialog there.
    void clear();

private:
    HWND dialog_ = nullptr;
    MaskedPasswordField password_;
    MaskedPasswordField repetition_;
};

}  // namespace tessaly
