#include "shell/protect_list_dialog.h"

#include "controls/password_pair.h"
#include "controls/dialog.h"
#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

enum class PassphraseEnd : INT_PTR { Given = 1, Closed = 2 };

// One run of the dialog, on the stack of askNewListPassword.
class ProtectListDialog final : public PasswordPairDialog {
public:
    explicit ProtectListDialog(std::string& password)
        : PasswordPairDialog({IDC_OK, IDC_CANCEL}, {IDC_PASSWORD, IDC_PASSWORD_REPEAT, IDC_STRENGTH, IDC_OK},
                             MaskedPasswordField::kMaxPassphraseLength, kMinPassphraseLength),
          password_(password)
    {
    }

private:
    void onOk() override
    {
        if (!fields_.accepted()) return;
        fields_.readPassword(password_);
        close(static_cast<INT_PTR>(PassphraseEnd::Given));
    }
    void onCancel() override { close(static_cast<INT_PTR>(PassphraseEnd::Closed)); }

    std::string& password_;
};

}  // namespace

bool askNewListPassword(HWND owner, std::string& password)
{
    ProtectListDialog dialog(password);
    return endOf(runModalDialog(owner, IDD_PROTECT_LIST, dialog), PassphraseEnd::Closed) == PassphraseEnd::Given;
}

}  // namespace tessaly
