// One row of a page table added to a sheet through the platform's callback.
#ifndef MARTENUI_SHEET_PAGE_H
#define MARTENUI_SHEET_PAGE_H

#include <windows.h>
#include <compstui.h>

#include <stdint.h>

#include "sheet/sheet_state.h"

// One page of a sheet, by driver variant.
struct PageTableEntry {
    int32_t enabled;        // 1 in every row
    int32_t templateId;     // dialog template in the resource library
    int32_t titleId;        // title string in the resource library
    DLGPROC procedure;
};

// Adds the page of `row` (its template and title from the resource library,
// `state` as its parameter); the handle the callback returned, or 0.
HANDLE AddSheetPage(const PROPSHEETUI_INFO& info, const PageTableEntry& row, SheetState* state);

#endif
