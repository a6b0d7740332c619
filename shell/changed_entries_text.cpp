#include "shell/changed_entries_text.h"

#include "settings/language.h"

namespace tessaly {

std::string changedEntriesText(std::string_view format, const ChangedEntries& changed)
{
    // Long enough to tell entries apart, short enough for a message box.
    constexpr size_t kTitleShown = 60;
    std::string text = formatIntegers(format, {static_cast<long long>(changed.count)});
    for (const ChangedEntries::Entry& entry : changed.first) {
        text += "\r\n- " + entry.title.substr(0, kTitleShown);
        if (entry.pass) text += " (" + translate("csv_changed_password") + ")";
        if (entry.user && !entry.pass) text += " (" + translate("csv_changed_user") + ")";
    }
    if (changed.count > changed.first.size()) text += "\r\n- ...";
    return text;
}

void warnOfChangedEntries(HWND window, const char* formatKey, const ChangedEntries& changed)
{
    const std::string text = changedEntriesText(translate(formatKey), changed);
    MessageBoxA(window, text.c_str(), translate("warning").c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace tessaly
