#pragma once

// Resource and control ids of Peekstub. Corvale writes bitmap 105 and string
// block 1 (ids 0 to 4) of every copy it builds, so these numbers are fixed.
// Read by windres as well as by the C++ code: #defines only.

#define IDD_PASSWORD_WINDOW 101
#define IDD_VIEWER_WINDOW 102
#define IDI_STUB_LARGE 102
#define IDI_STUB_SMALL 103
#define IDB_ENCRYPTED_IMAGE 105
#define IDR_SPOTLIGHT_KEYS 106

// String ids. Ids 0 to 15 make string table block 1: (id / 16) + 1.
#define IDS_PROMPT_BLOCK 1
#define IDS_PROMPT 0
#define IDS_OK 1
#define IDS_CANCEL 2
#define IDS_WAIT 3
#define IDS_SPOTLIGHT 4
// Outside block 1, so Corvale never replaces them.
#define IDS_NO_PICTURE_SPANISH 16
#define IDS_NO_PICTURE_ENGLISH 17
#define IDS_TOO_LARGE_SPANISH 18
#define IDS_TOO_LARGE_ENGLISH 19
#define IDS_NO_VIEWER_SPANISH 20
#define IDS_NO_VIEWER_ENGLISH 21
#define IDS_NO_CRYPTO_SPANISH 22
#define IDS_NO_CRYPTO_ENGLISH 23
// A guarded file: the header of its sealed picture, and the word for a wrong
// password in the language Corvale had, alone in block 3.
#define IDR_GUARDED_HEADER 120
#define IDS_GUARDED_BLOCK 3
#define IDS_WRONG_PASSWORD 32

// Password window (101)
#define IDC_STUB_PASSWORD 1001
#define IDC_STUB_CANCEL 1002
#define IDC_STUB_OK 1003
#define IDC_STUB_WAIT 1005
#define IDC_STUB_PROMPT 1006
#define IDC_STUB_PROGRESS 1046

// Viewer window (102)
#define IDC_VIEWER_PICTURE 1006
#define IDC_VIEWER_HSCROLL 1047
#define IDC_VIEWER_VSCROLL 1048

// Accelerator commands
#define ID_SPOTLIGHT_GROW 40001
#define ID_SPOTLIGHT_SHRINK 40002

#define WM_RELAYOUT_IMAGE 1026
