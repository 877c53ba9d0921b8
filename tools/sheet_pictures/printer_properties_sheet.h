// A printer's own properties (the printer folder's Properties), opened
// through the platform's common property-sheet UI with the driver's
// DrvDevicePropertySheets, as the printer folder opens them.
#ifndef MARTENUI_TOOLS_PRINTER_PROPERTIES_SHEET_H
#define MARTENUI_TOOLS_PRINTER_PROPERTIES_SHEET_H

#include <windows.h>

#include <string>

#include "preferences_sheet.h"

// Opens the sheet of `printer` with the entry of the loaded driver module
// `driver`; a second thread saves each page as
// "<folder>\<stem>-<page title>.bmp" and presses OK. `result` is the
// common UI's answer.
SheetPictureRun OpenPrinterPropertiesSheet(HMODULE driver, HANDLE printer, const std::wstring& printerName,
                                           const std::wstring& folder, const std::wstring& stem);

#endif
