#include <windows.h>
#include <commctrl.h>

#include "resources/peekstub_ids.h"
#include "stub/password_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PASSWORD_WINDOW), GetDesktopWindow(), tessaly::passwordWindowProc,
                    0);
    return tessaly::kPeekstubExitCode;
}
