// The resource library (Kol6gi1) that holds every dialog template, string,
// icon and bitmap the user interface shows.
//
// The library keeps it loaded from the first entry that needs it until a
// printer event or the module's unloading releases it. Each open sheet and
// each modal dialog holds a reference of its own besides, so a release in
// between (a printer event on another thread of the same process) leaves
// it loaded, with its strings and icons, until the last of them closes.
#ifndef MARTENUI_RESOURCE_LIBRARY_H
#define MARTENUI_RESOURCE_LIBRARY_H

#include <windows.h>

struct LoadedResourceLibrary;

// Loads the library from `path` unless it is loaded already; returns the
// handle (null when loading failed; the next call tries again). The library
// is kept loaded until FreeResourceLibrary.
HMODULE LoadResourceLibrary(const WCHAR* path);

// Gives back the reference LoadResourceLibrary keeps. Returns the result of
// FreeLibrary when that was the last reference, TRUE when sheets or dialogs
// still hold the library, and 0 when nothing was kept.
BOOL FreeResourceLibrary();

// The handle of the loaded library, or null.
HMODULE ResourceLibrary();

// A sheet's or dialog's own reference to the library loaded now.
class ResourceLibraryHold {
public:
    ResourceLibraryHold() = default;
    ~ResourceLibraryHold() { Release(); }
    ResourceLibraryHold(const ResourceLibraryHold&) = delete;
    ResourceLibraryHold& operator=(const ResourceLibraryHold&) = delete;

    // Takes a reference to the library loaded now; false when none is.
    bool Take();
    void Release();
    // The library held, or null.
    HMODULE module() const;

private:
    LoadedResourceLibrary* held_ = nullptr;
};

// References held by sheets, dialogs and loads in progress, and whether the
// library keeps its own: for checks that nothing is left behind.
int ResourceLibraryUsers();

// LoadStringW from the resource library into `buffer` of `capacity` units;
// a missing library or string gives the empty text. Returns the length.
int LoadResourceString(UINT id, WCHAR* buffer, int capacity);

// Icon `id` of the resource library, `size` pixels square (0: the system's
// icon size), loaded shared: the caller never destroys it. The loaded
// library remembers the icons handed out while it stays loaded, since
// loading even a shared icon again costs a page as much as showing it.
HICON LoadResourceIcon(int id, int size = 0);

#endif
