// One row of a page table added to a sheet through the platform's callback.
#ifndef MARTENUI_SHEET_PAGE_H
#define MARTENUI_SHEET_PAGE_H

#include <windows.h>
#include <compstui.h>

#include "docsheet/page_tables.h"
#include "docsheet/sheet_state.h"

// Adds the page of `row` (its template and title from the resource library,
// `state` as its parameter); the handle the callback returned, or 0.
HANDLE AddSheetPage(const PROPSHEETUI_INFO& info, const PageTableEntry& row, SheetState* state);

#endif
