// What a print dialog asks the driver about a printer, and its answers.
#ifndef MARTENUI_DEMO_CAPABILITIES_REPORT_H
#define MARTENUI_DEMO_CAPABILITIES_REPORT_H

#include "driver_entry_points.h"

void ReportCapabilities(const DriverEntryPoints& driver, HANDLE printer);

#endif
