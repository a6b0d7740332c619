#include "controls/password_pair.h"

#include "controls/password_strength.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"

namespace tessaly {

void PasswordPair::attach(HWND dialog, int maxLength, size_t minimumLength)
{
    dialog_ = dialog;
    minimumLength_ = minimumLength;
    password_.attach(GetDlgItem(dialog, IDC_PASSWORD), maxLength);
    repetition_.attach(GetDlgItem(dialog, IDC_PASSWORD_REPEAT), maxLength);
}

bool PasswordPair::accepted() const
{
    std::string password = readWindowText(GetDlgItem(dialog_, IDC_PASSWORD));
    std::string repetition = readWindowText(GetDlgItem(dialog_, IDC_PASSWORD_REPEAT));
    const bool ok = passwordAccepted(password, repetition, minimumLength_);
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

bool drawStrengthMeter(HWND dialog, const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_STRENGTH) return false;
    SavedDcState saved(item->hDC);
    std::string password = readWindowText(GetDlgItem(dialog, IDC_PASSWORD));
    const int level = passwordStrength(password);
    wipeString(password);

    RECT area = item->rcItem;
    TRIVERTEX corners[2] = {{area.left, area.top, 0xFF00, 0, 0, 0}, {area.right, area.bottom, 0, 0xFF00, 0, 0}};
    GRADIENT_RECT span{0, 1};
    GdiGradientFill(item->hDC, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);
    const RECT rest{strengthGradientRight(level, area.right), area.top, area.right, area.bottom};
    FillRect(item->hDC, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(item->hDC, TRANSPARENT);
    const std::string label = translate(strengthKey(level));
    DrawTextA(item->hDC, label.c_str(), static_cast<int>(label.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
}

}  // namespace tessaly
