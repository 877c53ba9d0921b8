// The record that the pages of one open property sheet share. The sheet
// entry allocates it zero-filled and hands it to every page as the page's
// lParam; each page keeps the pointer in its dialog's user slot. It lives
// from the sheet's INIT to its DESTROY.
#ifndef MARTENUI_SHEET_STATE_H
#define MARTENUI_SHEET_STATE_H

#include <windows.h>
#include <compstui.h>
#include <stddef.h>
#include <stdint.h>

#include "settings/document_settings.h"

// Page indices: they pick a page's window field, its help and its result
// handle.
constexpr int kPagePaperLayout = 0;
constexpr int kPageHandling = 1;
constexpr int kPageQuality = 2;
constexpr int kPageFonts = 3;
constexpr int kPageDeviceOptions = 4;
constexpr int kPageFontSubstitution = 5;
constexpr int kPageCount = 6;
constexpr int kDocumentPageCount = 4;
constexpr int kDevicePageCount = 2;

struct SheetState {
    HANDLE printerHandle;         // from the property header
    WCHAR* printerName;           // the caller's string
    WCHAR* printerNameCopy;       // the same pointer; no page reads it
    DocumentSettings* settings;   // the caller's output record; null in a device sheet
    int32_t canChange;            // 0 when the caller gave no permission to change
    PFNCOMPROPSHEET comPropSheet;
    HANDLE comPropSheetHandle;
    HANDLE deviceResultPage;      // named by the Device Options page's result; stays 0
    HANDLE printer;               // the same handle as printerHandle
    HWND paperPage;               // each page's window while its dialog exists, else 0
    HWND handlingPage;
    HWND qualityPage;
    HWND fontsPage;
    HWND deviceOptionsPage;
    HWND fontSubstitutionPage;
    HANDLE pageHandles[kDocumentPageCount];   // as the callback returned them, in page order
};

#if defined(_WIN64)
static_assert(sizeof(SheetState) == 152, "SheetState layout (x64)");
static_assert(offsetof(SheetState, printerName) == 8, "layout");
static_assert(offsetof(SheetState, printerNameCopy) == 16, "layout");
static_assert(offsetof(SheetState, settings) == 24, "layout");
static_assert(offsetof(SheetState, canChange) == 32, "layout");
static_assert(offsetof(SheetState, comPropSheet) == 40, "layout");
static_assert(offsetof(SheetState, comPropSheetHandle) == 48, "layout");
static_assert(offsetof(SheetState, deviceResultPage) == 56, "layout");
static_assert(offsetof(SheetState, printer) == 64, "layout");
static_assert(offsetof(SheetState, paperPage) == 72, "layout");
static_assert(offsetof(SheetState, handlingPage) == 80, "layout");
static_assert(offsetof(SheetState, qualityPage) == 88, "layout");
static_assert(offsetof(SheetState, fontsPage) == 96, "layout");
static_assert(offsetof(SheetState, deviceOptionsPage) == 104, "layout");
static_assert(offsetof(SheetState, fontSubstitutionPage) == 112, "layout");
static_assert(offsetof(SheetState, pageHandles) == 120, "layout");
#else
static_assert(sizeof(SheetState) == 76, "SheetState layout (x86)");
static_assert(offsetof(SheetState, printerName) == 4, "layout");
static_assert(offsetof(SheetState, printerNameCopy) == 8, "layout");
static_assert(offsetof(SheetState, settings) == 12, "layout");
static_assert(offsetof(SheetState, canChange) == 16, "layout");
static_assert(offsetof(SheetState, comPropSheet) == 20, "layout");
static_assert(offsetof(SheetState, comPropSheetHandle) == 24, "layout");
static_assert(offsetof(SheetState, deviceResultPage) == 28, "layout");
static_assert(offsetof(SheetState, printer) == 32, "layout");
static_assert(offsetof(SheetState, paperPage) == 36, "layout");
static_assert(offsetof(SheetState, handlingPage) == 40, "layout");
static_assert(offsetof(SheetState, qualityPage) == 44, "layout");
static_assert(offsetof(SheetState, fontsPage) == 48, "layout");
static_assert(offsetof(SheetState, deviceOptionsPage) == 52, "layout");
static_assert(offsetof(SheetState, fontSubstitutionPage) == 56, "layout");
static_assert(offsetof(SheetState, pageHandles) == 60, "layout");
#endif
static_assert(offsetof(SheetState, printerHandle) == 0, "layout");

// The window field of page `pageIndex` (0 to 5); null for any other index.
HWND* PageWindowField(SheetState* state, int pageIndex);

// The handle a page names when it reports its result: its entry of
// pageHandles for the document pages, deviceResultPage for the device pages.
HANDLE ResultPageHandle(const SheetState* state, int pageIndex);

// The state a page stored in its dialog's user slot, or null.
SheetState* PageSheetState(HWND page);

#endif
