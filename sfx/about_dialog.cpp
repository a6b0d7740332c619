#include "sfx/about_dialog.h"

#include <memory>

#include "platform/capture_exclusion.h"
#include "platform/window_icons.h"
#include "settings/settings.h"
#include "platform/window_state.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "sfx/about_texts.h"
#include "shell/hyperlink_label.h"

namespace tessaly {

namespace {

constexpr INT_PTR kClosed = 153;

struct AboutDialog {
    HyperlinkLabel link;
};

BOOL onInitDialog(HWND window, const AboutSetup& setup)
{
    auto* state = attachWindowState(window, std::make_unique<AboutDialog>());
    applyTexts(window, IDD_ABOUT);
    excludeFromCapture(window, captureAllowed(settingsTable()));
    setWindowIcons(window, IDI_LARGE, IDI_SMALL);
    state->link.attach(GetDlgItem(window, IDC_ABOUT_LINK), setup.webAddress);
    if (setup.open) state->link.setOpener(setup.open);
    const AboutTexts texts = aboutTexts(translate("lang_code"));
    SetWindowTextA(window, texts.title.c_str());
    SetDlgItemTextA(window, IDC_ABOUT_NAME, kProductNameAndVersion);
    SetDlgItemTextA(window, IDC_ABOUT_DESCRIPTION, texts.description.c_str());
    SetDlgItemTextA(window, IDC_ABOUT_INVITATION, texts.invitation.c_str());
    return TRUE;
}

INT_PTR CALLBACK aboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, *reinterpret_cast<const AboutSetup*>(lParam));
    if (withoutWindowState<AboutDialog>(window, message)) return FALSE;
    const int id = LOWORD(wParam);
    if (message == WM_CLOSE || (message == WM_COMMAND && (id == IDC_ABOUT_CLOSE || id == IDCANCEL || id == IDOK))) {
        EndDialog(window, kClosed);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR runAboutDialog(HWND owner, const AboutSetup& setup)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, aboutDialogProc,
                           reinterpret_cast<LPARAM>(&setup));
}

}  // namespace tessaly
