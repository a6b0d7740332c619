#pragma once

#include <windows.h>

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
        window = testing::openDialogModeless(IDD_MAIN, mainWindowProc);
        testing::pumpFor(100);
        return window;
    }

    MainWindowState& state() const { return mainWindowState(window); }
    HWND page(int index) const { return state().pages[index]; }

    void writeSettings(const std::string& extraLines)
    {
        testing::writeFile(folder.file("conf.dat"), defaultSettingsText() + extraLines);
    }
};

}  // namespace tessaly
