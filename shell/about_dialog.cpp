#include "shell/about_dialog.h"

#include "platform/text_codec.h"
#include "platform/window_icons.h"
#include "controls/dialog.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "shell/about_texts.h"
#include "controls/hyperlink_label.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runAboutDialog.
class AboutDialog final : public Dialog {
public:
    explicit AboutDialog(const AboutSetup& setup) : Dialog({IDC_ABOUT_CLOSE, IDCANCEL}), setup_(setup) {}

private:
    BOOL onInitDialog() override
    {
        setWindowIcons(window(), IDI_LARGE, IDI_SMALL);
        link_.attach(item(IDC_ABOUT_LINK), setup_.webAddress);
        if (setup_.open) link_.setOpener(setup_.open);
        const AboutTexts texts = aboutTexts(translate("lang_code"));
        const StoredTextCodec codec = systemTextCodec();
        bool replaced = false;
        SetWindowTextA(window(), codec.fromUtf8(texts.title, replaced).c_str());
        SetDlgItemTextA(window(), IDC_ABOUT_NAME, kProductNameAndVersion);
        SetDlgItemTextA(window(), IDC_ABOUT_DESCRIPTION, codec.fromUtf8(texts.description, replaced).c_str());
        SetDlgItemTextA(window(), IDC_ABOUT_INVITATION, codec.fromUtf8(texts.invitation, replaced).c_str());
        return TRUE;
    }
    void onOk() override { end(0); }
    void onCancel() override { end(0); }

    const AboutSetup& setup_;
    HyperlinkLabel link_;
};

}  // namespace

void runAboutDialog(HWND owner, const AboutSetup& setup)
{
    AboutDialog dialog(setup);
    runModalDialog(owner, IDD_ABOUT, dialog);
}

}  // namespace tessaly
