// The pages of the document and device sheets, by driver variant.
#ifndef MARTENUI_PAGE_TABLES_H
#define MARTENUI_PAGE_TABLES_H

#include <windows.h>
#include <stdint.h>

#include "docsheet/sheet_state.h"

struct PageTableEntry {
    int32_t enabled;        // 1 in every row
    int32_t templateId;     // dialog template in the resource library
    int32_t titleId;        // title string in the resource library
    DLGPROC procedure;
};

// The four document pages (Paper/Layout, Handling, Quality, Fonts) of a
// driver variant: variant 1 has its own templates, 2 and 3 share theirs.
const PageTableEntry* DocumentPageTable(int32_t driverVariant);

// The two device pages (Device Options, Font Substitution) of a variant.
const PageTableEntry* DevicePageTable(int32_t driverVariant);

#endif
