#pragma once

#include <windows.h>

namespace tessaly {

// Makes every library the process loads from now on come from the system
// folder, never from the program's own folder or the current directory,
// which anyone who can write there could fill (a downloaded program often
// runs from a Downloads folder). Call first thing, from a constructor that
// runs before the runtime's own, before anything may load a library.
// Windows 7 without its 2011 loader update lacks the call for that; there
// the program's folder stays, but the current directory goes.
void restrictLibrarySearch();

// A library of the system folder, by its file name, whatever the search
// order; nullptr when there is none.
HMODULE loadSystemLibrary(const wchar_t* name);

// A call of a library of the system folder, which then stays loaded for the
// rest of the run; nullptr where the system has no such library or call.
// Callers keep what it gives in a static, so it is looked up once.
template <typename Call>
Call systemLibraryCall(const wchar_t* library, const char* name)
{
    HMODULE module = loadSystemLibrary(library);
    return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tessaly
