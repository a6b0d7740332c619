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

class MainWindowTest : public testing::ProgramFolderTest {
protected:
    HWND openMainWindow()
    {
        window = testing::openDialogModeless(IDD_MAIN, mainWindowProc);
        testing::pumpFor(100);
        return window;
    }

    void writeSettings(const std::string& extraLines)
    {
        testing::writeFile(folder.file("conf.dat"), defaultSettingsText() + extraLines);
    }
};

}  // namespace tessaly
