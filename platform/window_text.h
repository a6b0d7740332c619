#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/secret_text.h"

namespace tessaly {

// A window's whole text, however long. A copy of a password read this way is
// the caller's to wipe (wipeString).
std::string readWindowText(HWND window);

// The same into `text`, whose earlier characters are wiped first: a password
// goes straight into the buffer that keeps it, with no temporary copy left
// behind (a short string moved from keeps its characters in place).
void readWindowText(HWND window, std::string& text);

// A field's text as a password, with no copy left behind.
SecretText readSecretText(HWND window);

// A passphrase as typed, whatever its script, into `utf8` as UTF-8: read
// from the field in UTF-16, which is wiped, as are `utf8`'s earlier
// characters.
void readPassphrase(HWND field, std::string& utf8);

// Text drawn and measured in a device context. GDI's "A" calls read text in
// the system's code page, not in the process's (UTF-8 under the manifest):
// these go through UTF-16, whose copy is wiped, since a password may be
// drawn.
int drawText(HDC dc, std::string_view text, RECT& area, UINT format);
SIZE textExtent(HDC dc, std::string_view text);
void textOut(HDC dc, int x, int y, std::string_view text);

// Empties a field that held a password so that its characters are gone from
// the control's own memory too: they are overwritten with as many fillers
// first, since emptying alone leaves them in place.
void wipeWindowText(HWND window);

}  // namespace tessaly
