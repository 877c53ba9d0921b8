// The resource library (Kol6gi1) that holds every dialog template, string,
// icon and bitmap the user interface shows.
#ifndef MARTENUI_RESOURCE_LIBRARY_H
#define MARTENUI_RESOURCE_LIBRARY_H

#include <windows.h>

// Loads the library from `path` unless a handle is already held; returns the
// handle held (null when loading failed; the next call tries again).
HMODULE LoadResourceLibrary(const WCHAR* path);

// Releases a held library; returns the result of FreeLibrary, or 0.
BOOL FreeResourceLibrary();

// The handle held now, or null.
HMODULE ResourceLibrary();

// LoadStringW from the resource library into `buffer` of `capacity` units;
// a missing library or string gives the empty text. Returns the length.
int LoadResourceString(UINT id, WCHAR* buffer, int capacity);

// Icon `id` of the resource library, `size` pixels square (0: the system's
// icon size), loaded shared: the caller never destroys it. Each thread
// remembers the icons it loaded while the library stays loaded, since
// loading even a shared icon again costs a page as much as showing it.
HICON LoadResourceIcon(int id, int size = 0);

#endif
