// The spooler's printer events: initialising a printer's stored data.
#ifndef MARTENUI_PRINTER_EVENTS_H
#define MARTENUI_PRINTER_EVENTS_H

#include <windows.h>

// Printer data value that names the rendering module.
extern const WCHAR kUmpdValue[];   // "Umpd"

BOOL HandlePrinterEvent(const WCHAR* printerName, int event);

#endif
