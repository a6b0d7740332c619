#include "shell/protect_list_dialog.h"

#include "controls/password_pair.h"
#include "controls/dialog.h"
#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

enum class PassphraseEnd : INT_PTR { Given = 1, Closed = 2 };

// One run of the dialog, on the stack of askNewListPassword.
class ProtectListDialog final : public Dialog {
public:
    explicit ProtectListDialog(std::string& password) : Dialog({IDC_OK, IDC_CANCEL}), password_(password) {}

private:
    BOOL onInitDialog() override
    {
        fields_.attach(window(), {IDC_PASSWORD, IDC_PASSWORD_REPEAT, IDC_STRENGTH, IDC_OK},
                       MaskedPasswordField::kMaxPassphraseLength, kMinPassphraseLength);
        return TRUE;
    }
    void onCommand(int id, int code) override { fields_.onCommand(id, code); }
    std::optional<INT_PTR> onMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_DRAWITEM) return std::nullopt;
        return fields_.drawMeter(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    }
    void onOk() override
    {
        if (!fields_.accepted()) return;
        fields_.readPassword(password_);
        close(PassphraseEnd::Given);
    }
    void onCancel() override { close(PassphraseEnd::Closed); }
    void close(PassphraseEnd how)
    {
        fields_.clear();
        end(static_cast<INT_PTR>(how));
    }

    std::string& password_;
    PasswordPair fields_;
};

}  // namespace

bool askNewListPassword(HWND owner, std::string& password)
{
    ProtectListDialog dialog(password);
    return endOf(runModalDialog(owner, IDD_PROTECT_LIST, dialog), PassphraseEnd::Closed) == PassphraseEnd::Given;
}

}  // namespace tessaly
