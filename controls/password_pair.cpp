#include "controls/password_pair.h"

#include "controls/password_strength.h"
#include "platform/redraw.h"
#include "platform/secure_wipe.h"
#include "platform/text_codec.h"
#include "platform/win32_handles.h"
#include "platform/window_text.h"
#include "settings/language.h"
#include "settings/message_box.h"

namespace tessaly {

void PasswordPair::attach(HWND dialog, PasswordPairIds ids, int maxLength, size_t minimumLength)
{
    dialog_ = dialog;
    ids_ = ids;
    minimumLength_ = minimumLength;
    password_.attach(field(ids.password), maxLength);
    repetition_.attach(field(ids.repetition), maxLength);
    EnableWindow(field(ids.ok), FALSE);
}

bool PasswordPair::onCommand(int id, int code)
{
    if (id != ids_.password && id != ids_.repetition) return false;
    if (code != EN_CHANGE) return true;
    EnableWindow(field(ids_.ok), accepted());
    if (ids_.strength) redrawNow(field(ids_.strength));
    return true;
}

bool PasswordPair::accepted() const
{
    std::string password;
    std::string repetition;
    readPassphrase(field(ids_.password), password);
    readPassphrase(field(ids_.repetition), repetition);
    const bool ok = passwordAccepted(password, repetition, minimumLength_);
    wipeString(password);
    wipeString(repetition);
    return ok;
}

bool PasswordPair::fitsCodePage() const
{
    std::string password;
    std::string legacy;
    readPassphrase(field(ids_.password), password);
    const bool fits = codePagePassword(password, legacy);
    wipeString(password);
    wipeString(legacy);
    if (!fits) showTranslatedMessage(dialog_, "password_outside_code_page", "warning", MB_OK | MB_ICONWARNING);
    return fits;
}

void PasswordPair::readPassword(std::string& into) const
{
    readPassphrase(field(ids_.password), into);
}

void PasswordPair::clear()
{
    wipeWindowText(field(ids_.password));
    wipeWindowText(field(ids_.repetition));
}

bool PasswordPair::drawMeter(const DRAWITEMSTRUCT& item) const
{
    if (!ids_.strength || static_cast<int>(item.CtlID) != ids_.strength) return false;
    SavedDcState saved(item.hDC);
    std::string password;
    readPassphrase(field(ids_.password), password);
    const int level = passwordStrength(password);
    wipeString(password);

    RECT area = item.rcItem;
    TRIVERTEX corners[2] = {{area.left, area.top, 0xFF00, 0, 0, 0}, {area.right, area.bottom, 0, 0xFF00, 0, 0}};
    GRADIENT_RECT span{0, 1};
    GdiGradientFill(item.hDC, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);
    const RECT rest{strengthGradientRight(level, area.right), area.top, area.right, area.bottom};
    FillRect(item.hDC, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(item.hDC, TRANSPARENT);
    const std::string label = translate(strengthKey(level));
    drawText(item.hDC, label, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
}

}  // namespace tessaly
