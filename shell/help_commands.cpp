#include "shell/commands.h"

#include "resources/corvale_ids.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"

namespace tessaly {

namespace {

void openPage(HWND window, const char* path)
{
    auto& state = mainWindowState(window);
    state.openAddress(state.webBase + path);
}

void onAbout(HWND window)
{
    auto& state = mainWindowState(window);
    runAboutDialog(window, AboutSetup{state.siteAddress(), state.openAddress});
}

}  // namespace

std::vector<Command> helpCommands()
{
    return {
        {ID_HELP_SUGGESTION, [](HWND window) { openPage(window, "suggestion.asp?id=3"); }},
        {ID_HELP_SUPPORT, [](HWND window) { openPage(window, "support.asp"); }},
        {ID_HELP_GUIDE, [](HWND window) { openPage(window, "userGuide.asp?id=3"); }},
        {ID_HELP_HOME, [](HWND window) { openPage(window, ""); }},
        {ID_HELP_ABOUT, onAbout},
    };
}

}  // namespace tessaly
