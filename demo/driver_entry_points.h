// The installed driver's entry points, loaded as the spooler and the
// graphics engine load them.
#ifndef MARTENUI_DEMO_DRIVER_ENTRY_POINTS_H
#define MARTENUI_DEMO_DRIVER_ENTRY_POINTS_H

#include <windows.h>

struct DriverEntryPoints {
    HMODULE module = nullptr;
    BOOL(WINAPI* printerEvent)(LPWSTR, INT, DWORD, LPARAM) = nullptr;
    DWORD(WINAPI* deviceCapabilities)(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW) = nullptr;
    int(WINAPI* documentEvent)(HANDLE, HDC, int, ULONG, PVOID, ULONG, PVOID) = nullptr;
};

// Loads the configuration file of the printer's driver; false when it or
// one of the entry points is missing.
bool LoadDriverEntryPoints(HANDLE printer, DriverEntryPoints* entries);

#endif
