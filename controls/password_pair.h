#pragma once

#include <windows.h>

#include <string>

#include "controls/masked_password_field.h"

namespace tessaly {

// The two masked password fields of the Encrypt and Decrypt dialogs: the
// password (1036) and its repetition (1037).
class PasswordPair {
public:
    void attach(HWND dialog);
    // At least 6 bytes, typed the same twice. The copies read are wiped.
    bool accepted() const;
    // The password as typed, read straight into `into`; its owner wipes it.
    void readPassword(std::string& into) const;
    // Empties both fields, so the password does not outlive the dialog there.
    void clear();

private:
    HWND dialog_ = nullptr;
    MaskedPasswordField password_;
    MaskedPasswordField repetition_;
};

}  // namespace tessaly
