// The per-user store of settings records under HKCU\Printers\DevModes2.
#ifndef MARTENUI_USER_SETTINGS_STORE_H
#define MARTENUI_USER_SETTINGS_STORE_H

#include <windows.h>

// The current user's stored record for `valueName` under
// HKCU\Printers\DevModes2: exactly 4088 bytes, else 0 and `destination`
// untouched.
int ReadUserSettings(const WCHAR* valueName, void* destination);

// Stores the 4088-byte record for `valueName`; the key is opened, never
// created, so without it nothing is stored (and that is no failure).
// ERROR_SUCCESS, or the platform's error for the open or the write.
DWORD WriteUserSettings(const WCHAR* valueName, const void* settings);

#endif
