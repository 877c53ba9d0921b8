// What every property page of both sheets does alike. A page describes
// itself with a PageHandlers table and its dialog procedure hands every
// message to RunPageSkeleton:
//
//   INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
//   {
//       return RunPageSkeleton(page, message, wParam, lParam, kFontsPage);
//   }
//
// The skeleton stores the SheetState at WM_INITDIALOG and keeps the page's
// window field set while the dialog exists, with its remembered controls; it routes WM_HELP and PSN_HELP to
// the page's help, runs About from its button, calls CloseHelp at WM_DESTROY,
// and applies by the common rule: PSN_KILLACTIVE and PSN_APPLY validate,
// and a valid PSN_APPLY on a page whose window field is set writes the
// controls and reports CPSUI_OK for the page's result handle. A page that
// could not save keeps the sheet open: PSNRET_INVALID_NOCHANGEPAGE, and no
// CPSUI_OK.
//
// Every hook may be null. None runs before WM_INITDIALOG has stored the
// state. A hook reads the printer's model and facts from what the sheet
// gathered at its start (SheetFactsOf): no hook calls the spooler.
#ifndef MARTENUI_PAGE_SKELETON_H
#define MARTENUI_PAGE_SKELETON_H

#include <windows.h>

#include "sheet/sheet_state.h"

struct PageHandlers {
    int pageIndex = 0;   // kPagePaperLayout .. kPageFontSubstitution

    // WM_INITDIALOG, once the state is stored and the window field set.
    void (*initialize)(HWND page, SheetState* state) = nullptr;
    // WM_COMMAND from any control but About (1705).
    void (*command)(HWND page, SheetState* state, int control, int code) = nullptr;
    // PSN_SETACTIVE.
    void (*activate)(HWND page, SheetState* state) = nullptr;
    // PSN_KILLACTIVE and PSN_APPLY: true when the controls may be left and
    // applied. Null: always valid.
    bool (*validate)(HWND page, SheetState* state) = nullptr;
    // PSN_APPLY after a passed validation, while the window field is set:
    // write the controls into the settings (or the printer's data). False
    // when something could not be saved (the page has told the user).
    bool (*apply)(HWND page, SheetState* state) = nullptr;
    // WM_DESTROY, before CloseHelp and before the window field is cleared.
    void (*destroy)(HWND page, SheetState* state) = nullptr;
    // Every other message, and WM_NOTIFY codes the skeleton leaves alone
    // (list views, up-downs). Its result is the dialog procedure's.
    INT_PTR (*other)(HWND page, SheetState* state, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

INT_PTR RunPageSkeleton(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const PageHandlers& handlers);

// The page's dialog answer to a notification: sets the message result and
// returns TRUE, as a dialog procedure must.
INT_PTR AnswerNotification(HWND page, LONG_PTR result);

#endif
