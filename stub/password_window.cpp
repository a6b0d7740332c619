#include "stub/password_window.h"

#include <commctrl.h>

#include <memory>

#include "controls/dialog.h"
#include "platform/window_icons.h"
#include "controls/password_strength.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "platform/window_text.h"
#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "controls/masked_password_field.h"
#include "stub/decryption.h"

namespace tessaly {

namespace {

// Dialog 101 on the stack of runPasswordWindow.
class PasswordWindow final : public Dialog {
public:
    PasswordWindow() : Dialog({IDC_STUB_OK, IDC_STUB_CANCEL}, openOutOfCaptures) {}

    // The thread is not waited for: it may be busy with a window of its own
    // that this window's end has to reach first.
    ~PasswordWindow()
    {
        job_->abandoned.store(true);
        if (job_->passwordGiven) SetEvent(job_->passwordGiven.get());
    }

private:
    BOOL onInitDialog() override;
    void onOk() override;
    // A modal window ends with its dialog loop.
    void onCancel() override { end(kStubWindowResult); }
    void onCommand(int id, int code) override
    {
        if (id == IDC_STUB_PASSWORD && code == EN_CHANGE) onPasswordChanged();
    }
    std::optional<INT_PTR> onMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_PASSWORD_REFUSED) {
            onPasswordRefused();
            return TRUE;
        }
        if (message == WM_VIEWER_CLOSED) {
            end(kStubWindowResult);
            return TRUE;
        }
        return std::nullopt;
    }
    void showPhase(int showCommand);
    void setTextFromString(int controlId, int stringId);
    void startDecryption();
    void onPasswordChanged();
    void onPasswordRefused();

    MaskedPasswordField password_;
    int phase_ = 0;
    std::shared_ptr<DecryptionJob> job_ = std::make_shared<DecryptionJob>();
    KernelHandle decryption_;
};

// The controls of each phase: the prompt first, the waiting text after OK.
void PasswordWindow::showPhase(int showCommand)
{
    static const int phaseControls[2][4] = {{IDC_STUB_PROMPT, IDC_STUB_PASSWORD, IDC_STUB_OK, IDC_STUB_CANCEL},
                                            {IDC_STUB_WAIT, IDC_STUB_PROGRESS, 0, 0}};
    if (phase_ < 0 || phase_ > 1) return;
    for (int id : phaseControls[phase_]) {
        if (id) ShowWindow(item(id), showCommand);
    }
}

void PasswordWindow::setTextFromString(int controlId, int stringId)
{
    SetDlgItemTextA(window(), controlId, stubText(stringId).c_str());
}

// The decryption thread starts with the window and prepares the viewer
// while the password is typed.
void PasswordWindow::startDecryption()
{
    job_->passwordWindow = window();
    job_->passwordGiven.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!job_->passwordGiven) return;
    auto share = std::make_unique<std::shared_ptr<DecryptionJob>>(job_);
    decryption_.reset(CreateThread(nullptr, 0, decryptionThread, share.get(), 0, nullptr));
    if (decryption_) share.release();
}

BOOL PasswordWindow::onInitDialog()
{
    // The stub never changes the mask: the field keeps the template's mask
    // and font, and only the decoys act.
    password_.attach(item(IDC_STUB_PASSWORD));
    setWindowIcons(window(), IDI_STUB_LARGE, IDI_STUB_SMALL);
    setTextFromString(IDC_STUB_PROMPT, IDS_PROMPT);
    setTextFromString(IDC_STUB_OK, IDS_OK);
    setTextFromString(IDC_STUB_CANCEL, IDS_CANCEL);
    setTextFromString(IDC_STUB_WAIT, IDS_WAIT);
    showPhase(SW_SHOW);
    startDecryption();
    return TRUE;
}

void PasswordWindow::onPasswordChanged()
{
    // Counted in characters, without a copy of them.
    const int typed = GetWindowTextLengthW(item(IDC_STUB_PASSWORD));
    EnableWindow(item(IDC_STUB_OK), static_cast<size_t>(typed) >= kMinPasswordLength);
}

// The password goes to the decryption thread, and leaves the field.
void PasswordWindow::onOk()
{
    if (phase_ != 0 || !IsWindowEnabled(item(IDC_STUB_OK))) return;
    // A decryption thread that has ended would never answer: the program ends.
    if (!decryption_ || WaitForSingleObject(decryption_.get(), 0) == WAIT_OBJECT_0) {
        end(kStubWindowResult);
        return;
    }
    HWND field = item(IDC_STUB_PASSWORD);
    readPassphrase(field, job_->password);
    SetEvent(job_->passwordGiven.get());
    wipeWindowText(field);
    showPhase(SW_HIDE);
    ++phase_;
    showPhase(SW_SHOW);
}

// Back to the prompt with an empty field; the decryption thread waits for
// the next password.
void PasswordWindow::onPasswordRefused()
{
    showPhase(SW_HIDE);
    phase_ = 0;
    showPhase(SW_SHOW);
    SendDlgItemMessageA(window(), IDC_STUB_PROGRESS, PBM_SETPOS, 0, 0);
    wipeWindowText(item(IDC_STUB_PASSWORD));
    EnableWindow(item(IDC_STUB_OK), FALSE);
    SetFocus(item(IDC_STUB_PASSWORD));
}

}  // namespace

void runPasswordWindow()
{
    PasswordWindow window;
    runModalDialog(GetDesktopWindow(), IDD_PASSWORD_WINDOW, window);
}

}  // namespace tessaly
