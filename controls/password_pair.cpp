#include "controls/password_pair.h"

#include "controls/password_strength.h"
#include "platform/secure_wipe.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"

namespace tessaly {

void PasswordPair::attach(HWND dialog)
{
    dialog_ = dialog;
    password_.attach(GetDlgItem(dialog, IDC_PASSWORD));
    repetition_.attach(GetDlgItem(dialog, IDC_PASSWORD_REPEAT));
}

bool PasswordPair::accepted() const
{
    std::string password = readWindowText(GetDlgItem(dialog_, IDC_PASSWORD));
    std::string repetition = readWindowText(GetDlgItem(dialog_, IDC_PASSWORD_REPEAT));
    const bool ok = passwordAccepted(password, repetition);
    wipeString(password);
    wipeString(repetition);
    return ok;
}

void PasswordPair::readPassword(std::string& into) const
{
    readWindowText(GetDlgItem(dialog_, IDC_PASSWORD), into);
}

void PasswordPair::clear()
{
    wipeWindowText(GetDlgItem(dialog_, IDC_PASSWORD));
    wipeWindowText(GetDlgItem(dialog_, IDC_PASSWORD_REPEAT));
}

}  // namespace tessaly
