#include "image/decrypt_dialog.h"

#include "controls/password_pair.h"
#include "image/cipher_workers.h"
#include "controls/dialog.h"
#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runDecryptDialog.
class DecryptDialog final : public PasswordPairDialog {
public:
    explicit DecryptDialog(CipherJob& job)
        : PasswordPairDialog({IDC_OK, IDC_CANCEL}, {IDC_PASSWORD, IDC_PASSWORD_REPEAT, 0, IDC_OK}), job_(job)
    {
    }

private:
    void onOk() override
    {
        if (!fields_.accepted() || !fields_.fitsCodePage()) return;
        fields_.readPassword(job_.password);
        CipherJob& job = job_;
        (void)runWithProgressWindow(window(), [&job](WorkerReport& report) { return decryptWorker(job, report); });
        close(static_cast<INT_PTR>(WorkerDialogEnd::WorkerRan));
    }
    void onCancel() override { close(static_cast<INT_PTR>(WorkerDialogEnd::Closed)); }

    CipherJob& job_;
};

}  // namespace

WorkerDialogEnd runDecryptDialog(HWND owner, CipherJob& job)
{
    DecryptDialog dialog(job);
    return endOf(runModalDialog(owner, IDD_DECRYPT, dialog), WorkerDialogEnd::Closed);
}

}  // namespace tessaly
