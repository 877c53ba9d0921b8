// The printer's own property sheet: Device Options and Font Substitution.
#ifndef MARTENUI_DEVICE_SHEET_H
#define MARTENUI_DEVICE_SHEET_H

#include "platform/driver_interface.h"

LONG DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM param);

#endif
