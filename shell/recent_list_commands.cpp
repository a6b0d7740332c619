#include "shell/commands.h"

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_paths.h"
#include "platform/file_replacement.h"
#include "platform/program_folder.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "shell/recent_lists.h"

namespace tessaly {

namespace {

std::vector<std::string> storedRecentLists()
{
    return splitRecentLists(settingsTable().get("recent_lists"));
}

void storeRecentLists(const std::vector<std::string>& stored)
{
    settingsTable().set("recent_lists", joinRecentLists(stored));
    settingsTable().set("last_list", stored.empty() ? std::string() : stored.front());
}

// The File menu's one pop-up.
HMENU recentListsMenu(HWND window, UINT* position)
{
    HMENU file = GetSubMenu(GetMenu(window), 0);
    const int count = GetMenuItemCount(file);
    for (int at = 0; at < count; ++at) {
        if (HMENU popup = GetSubMenu(file, at)) {
            if (position) *position = static_cast<UINT>(at);
            return popup;
        }
    }
    return nullptr;
}

// As Load List would, once the unsaved changes are seen to.
void openRecent(HWND window, size_t index)
{
    const std::vector<std::string> stored = storedRecentLists();
    if (index >= stored.size() || !mayDiscardChanges(window)) return;
    openListFile(window, resolvedListPath(stored[index], programFolder()));
}

}  // namespace

void showRecentLists(HWND window)
{
    UINT position = 0;
    HMENU popup = recentListsMenu(window, &position);
    if (!popup) return;
    while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
    const std::vector<std::string> stored = storedRecentLists();
    for (size_t at = 0; at < stored.size(); ++at) {
        const std::string caption = "&" + std::to_string(at + 1) + " " + resolvedListPath(stored[at], programFolder());
        AppendMenuA(popup, MF_STRING, ID_FILE_RECENT_FIRST + at, caption.c_str());
    }
    HMENU file = GetSubMenu(GetMenu(window), 0);
    const std::string title = translate("recent_lists");
    ModifyMenuA(file, position, MF_BYPOSITION | MF_POPUP | (stored.empty() ? MF_GRAYED : MF_ENABLED),
                reinterpret_cast<UINT_PTR>(popup), title.c_str());
}

void rememberList(HWND window, const std::string& path)
{
    storeRecentLists(withRecentList(storedRecentLists(), storedListPath(path, programFolder())));
    showRecentLists(window);
}

// A list that is not there any more is forgotten without a word.
void reopenLastList(HWND window)
{
    const std::vector<std::string> stored = storedRecentLists();
    if (stored.empty()) return;
    const std::string path = resolvedListPath(stored.front(), programFolder());
    // A save that a crash cut short left its temporary file beside the list.
    removeLeftoverReplacements(folderWithBackslash(path));
    if (settingsTable().get("reopen_last_list") == "false") return;
    if (!isReadableFile(path)) {
        storeRecentLists(std::vector<std::string>(stored.begin() + 1, stored.end()));
        showRecentLists(window);
        return;
    }
    openListFile(window, path);
}

std::vector<Command> recentListCommands()
{
    return {
        {ID_FILE_RECENT_FIRST, [](HWND window) { openRecent(window, 0); }},
        {ID_FILE_RECENT_FIRST + 1, [](HWND window) { openRecent(window, 1); }},
        {ID_FILE_RECENT_FIRST + 2, [](HWND window) { openRecent(window, 2); }},
        {ID_FILE_RECENT_FIRST + 3, [](HWND window) { openRecent(window, 3); }},
        {ID_FILE_RECENT_LAST, [](HWND window) { openRecent(window, 4); }},
    };
}

}  // namespace tessaly
