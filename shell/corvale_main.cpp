#include <windows.h>
#include <commctrl.h>

#include "resources/corvale_ids.h"
#include "shell/program_folder.h"
#include "shell/main_window.h"
#include "platform/win32_handles.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    using namespace tessaly;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    makeProgramFolderCurrent();

    // Never tested: a second copy of the program runs alongside the first.
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, "TSYVuduMutex"));

    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), GetDesktopWindow(), mainWindowProc, 0);
    return kCorvaleExitCode;
}
