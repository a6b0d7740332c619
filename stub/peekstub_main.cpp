#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "platform/library_search.h"
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

// A self-extracting file runs from wherever it was received, so before any
// other code, the runtime's included: the stack protector's set-up, a
// constructor of the runtime, opens the system's cryptography, and with it
// libraries of its own.
__attribute__((constructor(101))) static void restrictLibrariesFirst()
{
    tessaly::restrictLibrarySearch();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    tessaly::runPasswordWindow();
    return tessaly::kPeekstubExitCode;
}
