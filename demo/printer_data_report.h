// What the printer-initialise event stored for a printer.
#ifndef MARTENUI_DEMO_PRINTER_DATA_REPORT_H
#define MARTENUI_DEMO_PRINTER_DATA_REPORT_H

#include <windows.h>

void ReportPrinterData(HANDLE printer);

#endif
