#pragma once

#include <windows.h>

#include <string>

#include "controls/masked_password_field.h"
#include "controls/password_strength.h"

namespace tessaly {

// The two masked password fields of the Encrypt, Decrypt and Protect dialogs:
// the password (1036) and its repetition (1037).
class PasswordPair {
public:
    void attach(HWND dialog, int maxLength = MaskedPasswordField::kMaxLength,
                size_t minimumLength = kMinPasswordLength);
    // At least the minimum length, typed the same twice. The copies read are wiped.
    bool accepted() const;
    // The password as typed, read straight into `into`; its owner wipes it.
    void readPassword(std::string& into) const;
    // Empties both fields, so the password does not outlive the dialog there.
    void clear();

private:
    HWND dialog_ = nullptr;
    size_t minimumLength_ = kMinPasswordLength;
    MaskedPasswordField password_;
    MaskedPasswordField repetition_;
};

// The strength meter (1054) of the password in 1036: a red-to-green gradient
// over the part that the level earns, white beyond, and the level's name
// across it. For the dialog's WM_DRAWITEM; false for another control.
bool drawStrengthMeter(HWND dialog, const DRAWITEMSTRUCT* item);

}  // namespace tessaly
