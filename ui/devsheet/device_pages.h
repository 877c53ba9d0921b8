// The pages of the printer's device sheet, by driver variant.
#ifndef MARTENUI_DEVICE_PAGES_H
#define MARTENUI_DEVICE_PAGES_H

#include <stdint.h>

#include "sheet/sheet_page.h"

// The two device pages (Device Options, Font Substitution) of a variant.
const PageTableEntry* DevicePageTable(int32_t driverVariant);

#endif
