// Printer access, the printer's default settings, the per-user settings
// store, and device-mode conversion.
#ifndef MARTENUI_PRINTER_ACCESS_H
#define MARTENUI_PRINTER_ACCESS_H

#include <windows.h>

#include "entry/holders.h"
#include "settings/document_settings.h"

// Opens a printer by name with full access; null when that fails.
HANDLE OpenPrinterFull(const WCHAR* printerName);

// The printer's PRINTER_INFO_2W in a zero-filled process-heap block, or an
// empty block.
HeapBlock GetPrinterInfo2(HANDLE printer);

// Copies the printer's default device mode: its first 220 bytes into
// `publicPart` and the 3868 that follow into `privatePart`; 1 on success.
// A device mode shorter than a whole record (another driver's) counts as
// absent, and nothing is read past what the spooler returned.
int ReadPrinterSettings(HANDLE printer, void* publicPart, void* privatePart);

// Stores a whole 4088-byte record as the printer's default device mode.
void WritePrinterSettings(HANDLE printer, const void* settings);

// The current user's stored record for `valueName` under
// HKCU\Printers\DevModes2: exactly 4088 bytes, else 0 and `destination`
// untouched.
int ReadUserSettings(const WCHAR* valueName, void* destination);

// Stores the 4088-byte record for `valueName`; the key is opened, never
// created, so without it nothing is stored.
void WriteUserSettings(const WCHAR* valueName, const void* settings);

// DrvConvertDevMode: every request yields the printer's stored default
// settings, or the user's stored copy when the printer's cannot be read.
BOOL ConvertDevMode(const WCHAR* printerName, const DEVMODEW* input, DEVMODEW* output, LONG* size, DWORD mode);

#endif
