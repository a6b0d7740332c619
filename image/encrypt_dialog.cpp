#include "image/encrypt_dialog.h"

#include "controls/password_pair.h"
#include "image/cipher_workers.h"
#include "controls/dialog.h"
#include "settings/settings.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "controls/file_dialog.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runEncryptDialog.
class EncryptDialog final : public PasswordPairDialog {
public:
    explicit EncryptDialog(CipherJob& job)
        : PasswordPairDialog({IDC_OK, IDC_CANCEL}, {IDC_PASSWORD, IDC_PASSWORD_REPEAT, IDC_STRENGTH, IDC_OK}), job_(job)
    {
    }

private:
    bool createExeChecked() const { return IsDlgButtonChecked(window(), IDC_CREATE_EXE) == BST_CHECKED; }

    void matchPathToBox()
    {
        EnableWindow(item(IDC_EXE_PATH), createExeChecked());
        EnableWindow(item(IDC_SFX_GUARD), createExeChecked());
    }

    BOOL onInitDialog() override
    {
        PasswordPairDialog::onInitDialog();
        const KeyValueTable& settings = settingsTable();
        CheckDlgButton(window(), IDC_CREATE_EXE, isFlagOn(settings.get("create_exe")) ? BST_CHECKED : BST_UNCHECKED);
        // Guarded unless the user turned it off: the unguarded form can be
        // guessed at the cipher's speed.
        CheckDlgButton(window(), IDC_SFX_GUARD, settings.get("sfx_guarded") != "false" ? BST_CHECKED : BST_UNCHECKED);
        matchPathToBox();
        SetDlgItemTextA(window(), IDC_EXE_PATH, settings.get("exe_path").c_str());
        return TRUE;
    }

    bool askExePath()
    {
        char path[MAX_PATH] = {};
        if (!showFileDialog(window(), path, translate("save_file"), translate("sfx_file"), "*.exe", ".exe", true)) {
            return false;
        }
        SetDlgItemTextA(window(), IDC_EXE_PATH, path);
        CheckDlgButton(window(), IDC_CREATE_EXE, BST_CHECKED);
        matchPathToBox();
        return true;
    }

    void onCommand(int id, int code) override
    {
        if (fields_.onCommand(id, code)) return;
        if (id == IDC_CREATE_EXE) matchPathToBox();
        if (id == IDC_EXE_PATH_SAVE) askExePath();
    }

    void onOk() override
    {
        // Only the guarded form keeps a password in any script.
        const bool guarded = createExeChecked() && IsDlgButtonChecked(window(), IDC_SFX_GUARD) == BST_CHECKED;
        if (!fields_.accepted() || (!guarded && !fields_.fitsCodePage())) return;
        const std::string path = readWindowText(item(IDC_EXE_PATH));
        if (path.empty() && createExeChecked() && !askExePath()) return;

        CipherJob& job = job_;
        fields_.readPassword(job.password);
        job.createExe = createExeChecked();
        job.guarded = guarded;
        job.exePath = readWindowText(item(IDC_EXE_PATH));
        (void)runWithProgressWindow(window(), [&job](WorkerReport& report) { return encryptWorker(job, report); });
        close(static_cast<INT_PTR>(WorkerDialogEnd::WorkerRan));
    }

    void onCancel() override { close(static_cast<INT_PTR>(WorkerDialogEnd::Closed)); }

    CipherJob& job_;
};

}  // namespace

WorkerDialogEnd runEncryptDialog(HWND owner, CipherJob& job)
{
    EncryptDialog dialog(job);
    const WorkerDialogEnd result = endOf(runModalDialog(owner, IDD_ENCRYPT, dialog), WorkerDialogEnd::Closed);
    // Told once the dialog is gone: the encrypted picture is there (unless
    // the file was to be guarded), the file is not.
    if (job.built == SelfExtractorResult::CannotCreate || job.built == SelfExtractorResult::Failed) {
        showTranslatedMessage(owner, job.guarded ? "cannot_create_guarded_sfx" : "cannot_create_sfx", "error",
                              MB_OK | MB_ICONERROR);
    } else if (job.built == SelfExtractorResult::NoSystemCrypto) {
        showTranslatedMessage(owner, "system_crypto_unavailable", "error", MB_OK | MB_ICONERROR);
    }
    return result;
}

}  // namespace tessaly
