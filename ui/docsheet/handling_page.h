// The Handling page: sorter, rotation, shift, duplex, stapling, output tray,
// security print, output order and overlay. The Paper/Layout page uses its
// rotation refresh and its duplex/paper check.
#ifndef MARTENUI_HANDLING_PAGE_H
#define MARTENUI_HANDLING_PAGE_H

#include <windows.h>

#include "sheet/sheet_state.h"

// How the page's controls are loaded: the defaults (Restore Defaults), from
// the settings at initialisation, or refreshed from the settings and the
// controls after a change.
constexpr int kLoadDefaults = 0;
constexpr int kLoadFromSettings = 1;
constexpr int kLoadRefresh = 2;

INT_PTR CALLBACK HandlingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Enables "Rotate" on the Handling page when the paper now chosen may be
// printed rotated, and checks it by `mode`: kLoadFromSettings the settings'
// rotate, kLoadDefaults off, kLoadRefresh as it is checked now. The paper is
// the Paper/Layout page's Magnify choice (1 in 1) or Target Paper choice
// while that page exists, else the settings' paper (without that page a
// refresh changes nothing). Does nothing without a Handling window.
void RefreshRotate(HWND handlingWindow, SheetState* state, int mode);

// 0 when the settings may be applied: duplex off, the effective paper
// (Magnify paper, N-in-1 paper or the document's paper by layoutMode)
// allows duplex, or the printer's installed options cannot be read.
// Otherwise shows the duplex/paper warning on `window`, moves the focus to
// its control `focusControl` and returns 1. `window` is a page of the sheet.
int CheckDuplexPaper(HWND window, int focusControl);

#endif
