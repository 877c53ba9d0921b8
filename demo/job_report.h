// One print job through the driver's document events, as the graphics
// engine sends them, and what the rendering side would find.
#ifndef MARTENUI_DEMO_JOB_REPORT_H
#define MARTENUI_DEMO_JOB_REPORT_H

#include "driver_entry_points.h"

// `devMode` is the application's record (the printer's default settings).
void RunPrintJob(const DriverEntryPoints& driver, HANDLE printer, const WCHAR* printerName, DEVMODEW* devMode,
                 const WCHAR* documentName, int pages);

#endif
