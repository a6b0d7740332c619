#pragma once

#include <windows.h>

#include <string>

#include "controls/dialog.h"
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
    // For the forms keyed with the password's code-page bytes: whether the
    // typed password fits the system's code page. When it does not, the
    // user is told why it is refused, and the fields keep it.
    [[nodiscard]] bool fitsCodePage() const;
    // The password as typed, in UTF-8, read straight into `into`; its owner
    // wipes it.
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

// A dialog built around a password pair: the pair follows its fields'
// changes and draws its meter, and the fields are emptied however the
// dialog ends.
class PasswordPairDialog : public Dialog {
protected:
    PasswordPairDialog(Buttons buttons, PasswordPairIds ids, int maxLength = MaskedPasswordField::kMaxLength,
                       size_t minimumLength = kMinPasswordLength)
        : Dialog(buttons), ids_(ids), maxLength_(maxLength), minimumLength_(minimumLength)
    {
    }

    BOOL onInitDialog() override
    {
        fields_.attach(window(), ids_, maxLength_, minimumLength_);
        return TRUE;
    }
    void onCommand(int id, int code) override { fields_.onCommand(id, code); }
    std::optional<INT_PTR> onMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_DRAWITEM) return std::nullopt;
        return fields_.drawMeter(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    }
    // Empties both fields, then ends with `result`.
    void close(INT_PTR result)
    {
        fields_.clear();
        end(result);
    }

    PasswordPair fields_;

private:
    PasswordPairIds ids_;
    int maxLength_;
    size_t minimumLength_;
};

}  // namespace tessaly
