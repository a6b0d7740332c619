#pragma once

#include <windows.h>

#include <string>

#include "controls/masked_password_field.h"
#include "controls/password_strength.h"

namespace tessaly {

// The controls of a dialog that a password pair works with.
struct PasswordPairIds {
    int password;
    int repetition;
    // The owner-drawn strength meter, or 0 where the dialog shows none.
    int strength;
    // Enabled only while the pair is accepted.
    int ok;
};

// Two masked password fields, the password and its repetition, with the
// strength meter and the OK button that follow them.
class PasswordPair {
public:
    void attach(HWND dialog, PasswordPairIds ids, int maxLength = MaskedPasswordField::kMaxLength,
                size_t minimumLength = kMinPasswordLength);
    // For the dialog's WM_COMMAND: a change in either field enables OK while
    // the pair is accepted and redraws the meter. False for any other command.
    bool onCommand(int id, int code);
    // For the dialog's WM_DRAWITEM: the strength meter, a red-to-green
    // gradient over the part that the level earns, white beyond, and the
    // level's name across it. False for another control.
    bool drawMeter(const DRAWITEMSTRUCT& item) const;
    // At least the minimum length, typed the same twice. The copies read are wiped.
    [[nodiscard]] bool accepted() const;
    // The password as typed, read straight into `into`; its owner wipes it.
    void readPassword(std::string& into) const;
    // Empties both fields, so the password does not outlive the dialog there.
    void clear();

private:
    HWND field(int id) const { return GetDlgItem(dialog_, id); }

    HWND dialog_ = nullptr;
    PasswordPairIds ids_{};
    size_t minimumLength_ = kMinPasswordLength;
    MaskedPasswordField password_;
    MaskedPasswordField repetition_;
};

}  // namespace tessaly
