// Opening printers and reading their level-2 information.
#ifndef MARTENUI_PRINTER_OPEN_H
#define MARTENUI_PRINTER_OPEN_H

#include <windows.h>

#include "platform/holders.h"

// Opens a printer by name with full access; null when that fails.
HANDLE OpenPrinterFull(const WCHAR* printerName);
// Opens a printer by name with read access (PRINTER_ACCESS_USE); null when
// that fails or without a name.
HANDLE OpenPrinterForReading(const WCHAR* printerName);

// The printer's PRINTER_INFO_2W in a zero-filled process-heap block, or an
// empty block.
HeapBlock GetPrinterInfo2(HANDLE printer);

#endif
