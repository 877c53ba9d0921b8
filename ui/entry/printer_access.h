// Printer access, the printer's default settings, the per-user settings
// store, and device-mode conversion.
#ifndef MARTENUI_PRINTER_ACCESS_H
#define MARTENUI_PRINTER_ACCESS_H

#include <windows.h>

BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* input, DEVMODEW* output, LONG* size, DWORD mode);

#endif
