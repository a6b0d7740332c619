#include "image/decrypt_dialog.h"

#include "controls/password_pair.h"
#include "image/cipher_workers.h"
#include "controls/dialog.h"
#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runDecryptDialog.
class DecryptDialog final : public Dialog {
public:
    explicit DecryptDialog(CipherJob& job) : Dialog({IDC_OK, IDC_CANCEL}), job_(job) {}

private:
    BOOL onInitDialog() override
    {
        fields_.attach(window(), {IDC_PASSWORD, IDC_PASSWORD_REPEAT, 0, IDC_OK});
        return TRUE;
    }
    void onCommand(int id, int code) override { fields_.onCommand(id, code); }
    void onOk() override
    {
        if (!fields_.accepted()) return;
        fields_.readPassword(job_.password);
        CipherJob& job = job_;
        (void)runWithProgressWindow(window(), [&job](WorkerReport& report) { return decryptWorker(job, report); });
        close(WorkerDialogEnd::WorkerRan);
    }
    void onCancel() override { close(WorkerDialogEnd::Closed); }
    void close(WorkerDialogEnd how)
    {
        fields_.clear();
        end(static_cast<INT_PTR>(how));
    }

    CipherJob& job_;
    PasswordPair fields_;
};

}  // namespace

WorkerDialogEnd runDecryptDialog(HWND owner, CipherJob& job)
{
    DecryptDialog dialog(job);
    return endOf(runModalDialog(owner, IDD_DECRYPT, dialog), WorkerDialogEnd::Closed);
}

}  // namespace tessaly
