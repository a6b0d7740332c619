#pragma once

namespace tessaly {

// Makes every library the process loads from now on come from the system
// folder, never from the program's own folder or the current directory,
// which anyone who can write there could fill (a downloaded program often
// runs from a Downloads folder). Call first thing, before anything may load
// a library. Windows 7 without its 2011 loader update lacks the call for
// that; there the program's folder stays, but the current directory goes.
void restrictLibrarySearch();

}  // namespace tessaly
