#include "shell/open_protected_list_dialog.h"

#include "controls/masked_password_field.h"
#include "controls/dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

enum class PassphraseEnd : INT_PTR { Given = 1, Closed = 2 };

// One run of the dialog, on the stack of askListPassword.
class OpenProtectedListDialog final : public Dialog {
public:
    OpenProtectedListDialog(std::string& password, std::string_view fileName)
        : Dialog({IDC_OK, IDC_CANCEL}), password_(password), fileName_(fileName)
    {
    }

private:
    HWND passwordField() const { return item(IDC_PASSWORD); }
    bool typed() const { return GetWindowTextLengthA(passwordField()) > 0; }

    BOOL onInitDialog() override
    {
        field_.attach(passwordField(), MaskedPasswordField::kMaxPassphraseLength);
        EnableWindow(item(IDC_OK), FALSE);
        if (!fileName_.empty()) {
            SetWindowTextA(window(), (readWindowText(window()) + " - " + std::string(fileName_)).c_str());
        }
        return TRUE;
    }
    void onCommand(int id, int code) override
    {
        if (id == IDC_PASSWORD && code == EN_CHANGE) EnableWindow(item(IDC_OK), typed());
    }
    void onOk() override
    {
        if (!typed()) return;
        readPassphrase(passwordField(), password_);
        close(PassphraseEnd::Given);
    }
    void onCancel() override { close(PassphraseEnd::Closed); }
    void close(PassphraseEnd how)
    {
        wipeWindowText(passwordField());
        end(static_cast<INT_PTR>(how));
    }

    std::string& password_;
    std::string_view fileName_;
    MaskedPasswordField field_;
};

}  // namespace

bool askListPassword(HWND owner, std::string& password, std::string_view fileName)
{
    OpenProtectedListDialog dialog(password, fileName);
    return endOf(runModalDialog(owner, IDD_OPEN_PROTECTED_LIST, dialog), PassphraseEnd::Closed) == PassphraseEnd::Given;
}

}  // namespace tessaly
