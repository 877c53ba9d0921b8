// The spooler's printer events: initialising a printer's stored data.
#ifndef MARTENUI_PRINTER_EVENTS_H
#define MARTENUI_PRINTER_EVENTS_H

#include <windows.h>

BOOL HandlePrinterEvent(const WCHAR* printerName, int event);

#endif
