#include "stub/password_window.h"

#include <commctrl.h>

#include <memory>

#include "platform/capture_exclusion.h"
#include "platform/window_icons.h"
#include "controls/password_strength.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "platform/window_state.h"
#include "platform/window_text.h"
#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "controls/masked_password_field.h"
#include "stub/decryption.h"

namespace tessaly {

namespace {

struct PasswordWindowState {
    MaskedPasswordField password;
    int phase = 0;
    std::shared_ptr<DecryptionJob> job = std::make_shared<DecryptionJob>();
    KernelHandle decryption;

    // The thread is not waited for: it may be busy with a window of its own
    // that this window's end has to reach first.
    ~PasswordWindowState()
    {
        job->abandoned.store(true);
        if (job->passwordGiven) SetEvent(job->passwordGiven.get());
    }
};

PasswordWindowState& stateOf(HWND window)
{
    return *windowState<PasswordWindowState>(window);
}

// The controls of each phase: the prompt first, the waiting text after OK.
void showPhase(HWND window, int phase, int showCommand)
{
    static const int phaseControls[2][4] = {{IDC_STUB_PROMPT, IDC_STUB_PASSWORD, IDC_STUB_OK, IDC_STUB_CANCEL},
                                            {IDC_STUB_WAIT, IDC_STUB_PROGRESS, 0, 0}};
    if (phase < 0 || phase > 1) return;
    for (int id : phaseControls[phase]) {
        if (id) ShowWindow(GetDlgItem(window, id), showCommand);
    }
}

void setTextFromString(HWND window, int controlId, int stringId)
{
    SetDlgItemTextA(window, controlId, stubText(stringId).c_str());
}

// The decryption thread starts with the window and prepares the viewer
// while the password is typed.
void startDecryption(HWND window, PasswordWindowState& state)
{
    state.job->passwordWindow = window;
    state.job->passwordGiven.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!state.job->passwordGiven) return;
    auto share = std::make_unique<std::shared_ptr<DecryptionJob>>(state.job);
    state.decryption.reset(CreateThread(nullptr, 0, decryptionThread, share.get(), 0, nullptr));
    if (state.decryption) share.release();
}

BOOL onInitDialog(HWND window)
{
    // The stub never changes the mask: the field keeps the template's mask
    // and font, and only the decoys act.
    auto* state = attachWindowState(window, std::make_unique<PasswordWindowState>());
    state->password.attach(GetDlgItem(window, IDC_STUB_PASSWORD));
    // The stub has no settings: its windows always stay out of captures.
    applyCapturePolicy(window, false);
    setWindowIcons(window, IDI_STUB_LARGE, IDI_STUB_SMALL);
    setTextFromString(window, IDC_STUB_PROMPT, IDS_PROMPT);
    setTextFromString(window, IDC_STUB_OK, IDS_OK);
    setTextFromString(window, IDC_STUB_CANCEL, IDS_CANCEL);
    setTextFromString(window, IDC_STUB_WAIT, IDS_WAIT);
    showPhase(window, state->phase, SW_SHOW);
    startDecryption(window, *state);
    return TRUE;
}

void onPasswordChanged(HWND window)
{
    std::string text = readWindowText(GetDlgItem(window, IDC_STUB_PASSWORD));
    EnableWindow(GetDlgItem(window, IDC_STUB_OK), text.size() >= kMinPasswordLength);
    wipeString(text);
}

// The password goes to the decryption thread, and leaves the field.
void onOk(HWND window)
{
    auto& state = stateOf(window);
    if (state.phase != 0 || !IsWindowEnabled(GetDlgItem(window, IDC_STUB_OK))) return;
    if (!state.decryption) {
        EndDialog(window, kStubWindowResult);
        return;
    }
    HWND field = GetDlgItem(window, IDC_STUB_PASSWORD);
    readWindowText(field, state.job->password);
    SetEvent(state.job->passwordGiven.get());
    wipeWindowText(field);
    showPhase(window, state.phase, SW_HIDE);
    ++state.phase;
    showPhase(window, state.phase, SW_SHOW);
}

// Back to the prompt with an empty field; the decryption thread waits for
// the next password.
void onPasswordRefused(HWND window)
{
    auto& state = stateOf(window);
    showPhase(window, state.phase, SW_HIDE);
    state.phase = 0;
    showPhase(window, state.phase, SW_SHOW);
    SendDlgItemMessageA(window, IDC_STUB_PROGRESS, PBM_SETPOS, 0, 0);
    wipeWindowText(GetDlgItem(window, IDC_STUB_PASSWORD));
    EnableWindow(GetDlgItem(window, IDC_STUB_OK), FALSE);
    SetFocus(GetDlgItem(window, IDC_STUB_PASSWORD));
}

void onCommand(HWND window, int id, int code)
{
    if (id == IDC_STUB_PASSWORD && code == EN_CHANGE) onPasswordChanged(window);
    if (id == IDC_STUB_OK || id == IDOK) onOk(window);
    // A modal window ends with its dialog loop.
    if (id == IDC_STUB_CANCEL || id == IDCANCEL) EndDialog(window, kStubWindowResult);
}

}  // namespace

INT_PTR CALLBACK passwordWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return onInitDialog(window);
    if (withoutWindowState<PasswordWindowState>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_PASSWORD_REFUSED:
        onPasswordRefused(window);
        return TRUE;
    case WM_CLOSE:
    case WM_VIEWER_CLOSED:
        EndDialog(window, kStubWindowResult);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace tessaly
