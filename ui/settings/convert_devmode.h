// Device-mode conversion for the spooler.
#ifndef MARTENUI_CONVERT_DEVMODE_H
#define MARTENUI_CONVERT_DEVMODE_H

#include <windows.h>

// DrvConvertDevMode: every request yields the printer's stored default
// settings, or the user's stored copy when the printer's cannot be read,
// named after the printer.
BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* input, DEVMODEW* output, LONG* size, DWORD mode);

#endif
