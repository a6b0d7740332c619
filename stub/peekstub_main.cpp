#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "cipher/system_crypto.h"
#include "platform/library_search.h"
#include "platform/own_resource.h"
#include "platform/win32_handles.h"
#include "platform/modal_dialog.h"
#include "resources/peekstub_ids.h"
#include "stub/password_window.h"

// Every self-extracting file carries this program, so it keeps small: an
// uncaught exception just ends it, without the runtime's message that would
// name the exception's type, which brings in a whole symbol demangler.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A self-extracting file runs from wherever it was received.
    tessaly::restrictLibrarySearch();
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    // A guarded file needs the system's cryptography right after OK: it is
    // loaded while the password is typed.
    if (!tessaly::ownResource(RT_RCDATA, MAKEINTRESOURCEA(IDR_GUARDED_HEADER)).empty()) {
        tessaly::KernelHandle loader(CreateThread(
            nullptr, 0,
            [](void*) -> DWORD {
                tessaly::loadSystemCrypto();
                return 0;
            },
            nullptr, 0, nullptr));
    }
    tessaly::runModalDialog(GetDesktopWindow(), IDD_PASSWORD_WINDOW, tessaly::passwordWindowProc);
    return tessaly::kPeekstubExitCode;
}
