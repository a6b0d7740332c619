#pragma once

#include <windows.h>

#include <vector>

#include "resources/corvale_ids.h"
#include "shell/main_window.h"
#include "tests/support/corvale_fixture.h"

namespace tessaly {

inline bool enabled(HWND window, int id)
{
    return IsWindowEnabled(GetDlgItem(window, id));
}

// A main window opened modelessly in a fresh program folder; it goes, with
// its state, when the test ends.
class MainWindowTest : public testing::ProgramFolderTest {
protected:
    HWND openMainWindow()
    {
        window = createMainWindow();
        testing::pumpFor(100);
        return window;
    }

    MainWindowState& state() const { return mainWindowState(window); }
    // The progress window while a worker runs, from any thread.
    HWND progressWindow() const
    {
        return testing::threadWindowWithItem(GetWindowThreadProcessId(window, nullptr), IDC_PROGRESS_BAR);
    }
    HWND page(int index) const { return state().pages[index]; }

    // Ctrl and a letter typed into `focus`, a control of the window, through
    // the system's input.
    void pressControlWith(HWND focus, WORD key)
    {
        SetForegroundWindow(window);
        SetFocus(focus);
        testing::pumpFor(50);
        testing::pressKey(VK_CONTROL, false);
        testing::pressKey(key, false);
        testing::pressKey(key, true);
        testing::pressKey(VK_CONTROL, true);
        testing::pumpFor(200);
    }

    // Runs a command that opens windows, answering them with `steps`;
    // tells how many were answered.
    size_t commandAnswered(int id, std::vector<testing::DialogStep> steps)
    {
        testing::DialogResponder responder(std::move(steps));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        const size_t answered = responder.finish();
        testing::pumpFor(50);
        return answered;
    }

    void writeSettings(const std::string& extraLines)
    {
        testing::writeFile(folder.file("conf.dat"), defaultSettingsText() + extraLines);
    }
};

}  // namespace tessaly
