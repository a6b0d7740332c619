#include "shell/about_dialog.h"

#include "platform/capture_exclusion.h"
#include "platform/window_icons.h"
#include "settings/settings.h"
#include "platform/modal_dialog.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "shell/about_texts.h"
#include "controls/hyperlink_label.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runAboutDialog.
struct AboutDialog {
    const AboutSetup& setup;
    HyperlinkLabel link;
};

BOOL onInitDialog(HWND window, AboutDialog& state)
{
    const AboutSetup& setup = state.setup;
    applyTexts(window, IDD_ABOUT);
    applyCapturePolicy(window, captureAllowed(settingsTable()));
    setWindowIcons(window, IDI_LARGE, IDI_SMALL);
    state.link.attach(GetDlgItem(window, IDC_ABOUT_LINK), setup.webAddress);
    if (setup.open) state.link.setOpener(setup.open);
    const AboutTexts texts = aboutTexts(translate("lang_code"));
    SetWindowTextA(window, texts.title.c_str());
    SetDlgItemTextA(window, IDC_ABOUT_NAME, kProductNameAndVersion);
    SetDlgItemTextA(window, IDC_ABOUT_DESCRIPTION, texts.description.c_str());
    SetDlgItemTextA(window, IDC_ABOUT_INVITATION, texts.invitation.c_str());
    return TRUE;
}

INT_PTR CALLBACK aboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, lendWindowState<AboutDialog>(window, lParam));
    if (withoutLentWindowState<AboutDialog>(window, message)) return FALSE;
    const int id = LOWORD(wParam);
    if (message == WM_CLOSE || (message == WM_COMMAND && (id == IDC_ABOUT_CLOSE || id == IDCANCEL || id == IDOK))) {
        EndDialog(window, kDialogClosed);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR runAboutDialog(HWND owner, const AboutSetup& setup)
{
    AboutDialog dialog{setup, {}};
    return runModalDialog(owner, IDD_ABOUT, aboutDialogProc, dialog);
}

}  // namespace tessaly
