#include <windows.h>
#include <commctrl.h>

#include "resources/corvale_ids.h"
#include "platform/program_folder.h"
#include "shell/main_window.h"
#include "platform/library_search.h"
#include "platform/win32_handles.h"

// Before any other code of the program, the runtime's included: the stack
// protector's set-up, a constructor of the runtime, opens the system's
// cryptography, and with it libraries of its own.
__attribute__((constructor(101))) static void restrictLibrariesFirst()
{
    tessaly::restrictLibrarySearch();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace tessaly;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    makeProgramFolderCurrent();

    // Made and never tested: a second copy of the program runs alongside the
    // first. Other programs (installers, say) may look for the name to learn
    // that Corvale is running.
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, "TSYVuduMutex"));

    runMainWindow();
    return kCorvaleExitCode;
}
